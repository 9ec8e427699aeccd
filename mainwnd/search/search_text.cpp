// Folding and keying texts for the matcher.
#include "mainwnd/search/search_text.h"

#include "mainwnd/search/latin_fold_table.h"
#include "mainwnd/search/pinyin_table.h"

char32_t FoldForSearch(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c - U'A' + U'a';
    if (c >= kLatinFoldFirst && c <= kLatinFoldLast)
        return kLatinFold[c - kLatinFoldFirst];
    if (c >= 0xFF10 && c <= 0xFF19)
        return c - 0xFF10 + U'0';
    if (c >= 0xFF21 && c <= 0xFF3A)
        return c - 0xFF21 + U'a';
    if (c >= 0xFF41 && c <= 0xFF5A)
        return c - 0xFF41 + U'a';
    return c;
}

std::u32string FoldedChars(std::wstring_view text)
{
    std::u32string chars;
    chars.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char16_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const char32_t low = static_cast<char16_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        chars.push_back(FoldForSearch(c));
    }
    return chars;
}

std::uint32_t SearchKeyOf(char32_t folded)
{
    const int id = pinyin::ReadingCharId(folded);
    if (id < 0)
        return static_cast<std::uint32_t>(folded);
    const pinyin::ReadingSpan readings = pinyin::ReadingsOf(id);
    const std::uint32_t kind = readings.last - readings.first == 1
                                   ? kOneReadingKey >> kReadingsShift | *readings.first
                                   : static_cast<std::uint32_t>(pinyin::ListOfChar(id));
    return kReadingCharKey | kind << kReadingsShift | static_cast<std::uint32_t>(id);
}

std::uint32_t SearchKeyOfUnit(wchar_t unit)
{
    static const std::vector<std::uint32_t> table = [] {
        std::vector<std::uint32_t> keys(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c)
            keys[c] = SearchKeyOf(FoldForSearch(c));
        return keys;
    }();
    return table[static_cast<char16_t>(unit)];
}

void AppendSearchKeys(std::wstring_view text, std::vector<std::uint32_t>& keys)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            const char32_t c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            keys.push_back(SearchKeyOf(FoldForSearch(c)));
            ++i;
        } else {
            keys.push_back(SearchKeyOfUnit(unit));
        }
    }
}
