// The readings of CJK characters, without tones and with "ü" written "v", from the table generated at
// build time. A character with readings has a small id; a syllable is known by its number. The
// lookups the matcher makes for every character are inline.
#pragma once

#include "mainwnd/search/pinyin_table_data.h"

#include <cstdint>
#include <string_view>

namespace pinyin {

// The syllable numbers of one character's readings.
struct ReadingSpan {
    const std::uint16_t* first;
    const std::uint16_t* last;
    const std::uint16_t* begin() const { return first; }
    const std::uint16_t* end() const { return last; }
};

// The id of a character that has readings (0 <= id < ReadingCharIdCount()); -1 for any other.
int ReadingCharId(char32_t codePoint);

inline int ReadingCharIdCount()
{
    return pinyin_table_data::kCharCount;
}

inline char32_t CodePointOfReadingChar(int id)
{
    using namespace pinyin_table_data;
    return id < kDirectCount ? kDirectFirst + static_cast<char32_t>(id) : kOtherCodePoints[id - kDirectCount];
}

// A character's readings are a list, which other characters may share.
inline int ListOfChar(int id)
{
    return pinyin_table_data::kCharLists[id];
}

inline ReadingSpan SyllablesOfList(int list)
{
    using namespace pinyin_table_data;
    return {kListSyllables + kListStarts[list], kListSyllables + kListStarts[list + 1]};
}

inline ReadingSpan ReadingsOf(int id)
{
    return SyllablesOfList(ListOfChar(id));
}

inline int ListCount()
{
    return pinyin_table_data::kListCount;
}

inline int SyllableCount()
{
    return pinyin_table_data::kSyllableCount;
}

inline std::string_view SyllableLetters(int syllable)
{
    using namespace pinyin_table_data;
    return std::string_view(kSyllableLetters + kSyllableStarts[syllable],
                            kSyllableStarts[syllable + 1] - kSyllableStarts[syllable]);
}

}  // namespace pinyin
