// The pinyin table as scripts/make-pinyin-table.py generates it into the build folder. Read it through
// pinyin_table.h.
#pragma once

namespace pinyin_table_data {

// Characters of this range are found by their code point; the others by search in kOtherCodePoints.
constexpr char32_t kDirectFirst = 0x3400;
constexpr char32_t kDirectLast = 0x9FFF;
constexpr int kDirectCount = static_cast<int>(kDirectLast - kDirectFirst) + 1;

extern const int kSyllableCount;
extern const int kListCount;
// kDirectCount direct ids, then one id for each of kOtherCodePoints.
extern const int kCharCount;
// Every toneless syllable's letters, one after another; syllable s is
// kSyllableLetters[kSyllableStarts[s] .. kSyllableStarts[s + 1]).
extern const char kSyllableLetters[];
extern const unsigned short kSyllableStarts[];
// Reading list l is the syllables kListSyllables[kListStarts[l] .. kListStarts[l + 1]); list 0 is empty.
extern const unsigned short kListStarts[];
extern const unsigned short kListSyllables[];
// The reading list of each character id.
extern const unsigned short kCharLists[];
// The code points with readings outside the direct range, ascending.
extern const unsigned int kOtherCodePoints[];

}  // namespace pinyin_table_data
