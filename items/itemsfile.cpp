// The items file's header and the checks a record passes to give an item.
#include "items/itemsfile.h"

#include "corelib/time_text.h"

#include <climits>

const std::array<const wchar_t*, 4> kItemsFileHeader = {L"标签", L"内容", L"点击次数", L"最后复制时间"};

namespace {

// Blanks around a number or a time are no part of it.
void TrimBlanks(std::wstring& text)
{
    text.erase(0, text.find_first_not_of(L' '));
    text.erase(text.find_last_not_of(L' ') + 1);
}

bool ReadCount(const std::wstring& text, int& count)
{
    long long value = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9')
            return false;
        value = value * 10 + (ch - L'0');
        if (value > INT_MAX)
            return false;
    }
    count = static_cast<int>(value);
    return true;
}

}  // namespace

bool IsItemsFileHeader(const std::vector<std::wstring>& fields)
{
    if (fields.size() != kItemsFileHeader.size())
        return false;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] != kItemsFileHeader[i])
            return false;
    }
    return true;
}

RecordFault ReadItemRecord(std::vector<std::wstring>&& fields, std::optional<CFileItem>& item)
{
    item.reset();
    if (fields.size() == 1 && fields[0].empty())
        return RecordFault::None;  // an empty line
    if (fields.size() != kItemsFileHeader.size())
        return RecordFault::FieldCount;
    if (fields[1].empty())
        return RecordFault::None;
    CFileItem read;
    read.title = std::move(fields[0]);
    read.data1 = std::move(fields[1]);
    TrimBlanks(fields[2]);
    if (!ReadCount(fields[2], read.clicktimes))
        return RecordFault::Count;
    std::wstring& time = fields[3];
    TrimBlanks(time);
    if (!time.empty()) {
        if (!ToDefaultTimeFormat(time))
            return RecordFault::Time;
        read.lasttime = std::move(time);
    }
    item = std::move(read);
    return RecordFault::None;
}
