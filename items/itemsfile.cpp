// The items file's header and the checks a record passes to give an item.
#include "items/itemsfile.h"

#include "corelib/time_text.h"

#include <climits>

const std::array<const wchar_t*, 4> kItemsFileHeader = {L"标签", L"内容", L"点击次数", L"最后复制时间"};

namespace {

// Blanks around a number or a time are no part of it.
std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
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

RecordFault ReadItemRecord(const std::vector<std::wstring>& fields, std::optional<CFileItem>& item)
{
    item.reset();
    if (fields.size() == 1 && fields[0].empty())
        return RecordFault::None;  // an empty line
    if (fields.size() != kItemsFileHeader.size())
        return RecordFault::FieldCount;
    if (fields[1].empty())
        return RecordFault::None;
    CFileItem read;
    read.title = fields[0];
    read.data1 = fields[1];
    if (!ReadCount(Trimmed(fields[2]), read.clicktimes))
        return RecordFault::Count;
    const std::wstring time = Trimmed(fields[3]);
    if (!time.empty()) {
        std::optional<CString> stored = TimeInDefaultFormat(CString(time));
        if (!stored)
            return RecordFault::Time;
        read.lasttime = stored->str();
    }
    item = std::move(read);
    return RecordFault::None;
}
