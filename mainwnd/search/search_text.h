// Texts as the matcher reads them: one key per character (a surrogate pair is one character), folded
// so that case, width and Latin diacritics do not count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A key with kReadingCharKey set stands for a character that has readings: its pinyin id in the low 16
// bits, and from kReadingsShift up, its readings: with kOneReadingKey, the one syllable, else the
// list. Any other key is the character's folded code point (below 1 << 21). The readings are in the
// key so that matching reads the table the least.
constexpr std::uint32_t kReadingCharKey = 0x80000000u;
constexpr std::uint32_t kOneReadingKey = 0x20000000u;
constexpr std::uint32_t kReadingCharIdMask = 0xFFFFu;
constexpr int kReadingsShift = 16;
constexpr std::uint32_t kReadingsMask = 0x1FFFu;

// ASCII letters lower-cased; the letters of Latin-1 Supplement and Latin Extended-A without their
// diacritics, lower-cased (É, ë, Ł: e, e, l; Æ: æ; ß stays); full-width digits and Latin letters as
// their half-width (lower-case) forms; every other character as it is. The one place that folds.
char32_t FoldForSearch(char32_t c);

// The folded characters of UTF-16 text; a lone surrogate half stays a character of its own.
std::u32string FoldedChars(std::wstring_view text);

// The key of a folded character.
std::uint32_t SearchKeyOf(char32_t folded);

// Appends one key per character of the text.
void AppendSearchKeys(std::wstring_view text, std::vector<std::uint32_t>& keys);

// The key of a UTF-16 unit that is a character of its own (not a half of a surrogate pair), folded:
// read from a table made once for the whole basic plane, so that texts kept as UTF-16 are keyed
// at the speed of a lookup.
std::uint32_t SearchKeyOfUnit(wchar_t unit);
