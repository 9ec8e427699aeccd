// Finding a character in the generated pinyin table.
#include "mainwnd/search/pinyin_table.h"

#include <algorithm>

namespace pinyin {

int ReadingCharId(char32_t codePoint)
{
    using namespace pinyin_table_data;
    if (codePoint >= kDirectFirst && codePoint <= kDirectLast) {
        const int id = static_cast<int>(codePoint - kDirectFirst);
        return kCharLists[id] != 0 ? id : -1;
    }
    const unsigned int* others = kOtherCodePoints;
    const unsigned int* othersEnd = others + (kCharCount - kDirectCount);
    const unsigned int* found = std::lower_bound(others, othersEnd, static_cast<unsigned int>(codePoint));
    return found != othersEnd && *found == codePoint ? kDirectCount + static_cast<int>(found - others) : -1;
}

}  // namespace pinyin
