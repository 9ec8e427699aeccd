// The items file's header and the checks a record passes to give an item.
#include "items/itemsfile.h"

#include "corelib/time_text.h"
#include "items/spreadsheettext.h"

#include <algorithm>
#include <climits>
#include <string_view>

const std::array<const wchar_t*, 4> kItemsFileHeader = {L"标签", L"内容", L"点击次数", L"最后复制时间"};
const wchar_t* const kItemsFilePinnedField = L"置顶";

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

// Where the header names a field; the field count when it does not.
size_t FieldAt(const std::vector<std::wstring>& fields, const wchar_t* name)
{
    size_t at = 0;
    for (; at < fields.size(); ++at) {
        std::wstring_view field = fields[at];
        if (at == 0)
            field.remove_prefix(std::min(field.find_first_not_of(L'\uFEFF'), field.size()));
        if (field == name)
            break;
    }
    return at;
}

}  // namespace

std::optional<CItemsFileColumns> ReadItemsFileHeader(const std::vector<std::wstring>& fields)
{
    CItemsFileColumns columns;
    columns.count = fields.size();
    for (size_t name = 0; name < kItemsFileHeader.size(); ++name) {
        columns.at[name] = FieldAt(fields, kItemsFileHeader[name]);
        if (columns.at[name] == fields.size())
            return std::nullopt;
    }
    if (const size_t pinned = FieldAt(fields, kItemsFilePinnedField); pinned < fields.size())
        columns.pinned = pinned;
    return columns;
}

RecordFault ReadItemRecord(std::vector<std::wstring>&& fields, const CItemsFileColumns& columns,
                           std::optional<CFileItem>& item)
{
    item.reset();
    if (fields.size() == 1 && fields[0].empty())
        return RecordFault::None;  // an empty line
    // The header again, where files were joined end to end, gives no item (its count is no number).
    if (ReadItemsFileHeader(fields))
        return RecordFault::None;
    if (fields.size() != columns.count)
        return RecordFault::FieldCount;
    ReadSpreadsheetField(fields[columns.at[1]]);
    if (fields[columns.at[1]].empty())
        return RecordFault::None;
    CFileItem read;
    ReadSpreadsheetField(fields[columns.at[0]]);
    read.title = std::move(fields[columns.at[0]]);
    read.data1 = std::move(fields[columns.at[1]]);
    std::wstring& count = fields[columns.at[2]];
    TrimBlanks(count);
    if (!ReadCount(count, read.clicktimes))
        return RecordFault::Count;
    std::wstring& time = fields[columns.at[3]];
    TrimBlanks(time);
    if (!time.empty()) {
        if (!ToDefaultTimeFormat(time))
            return RecordFault::Time;
        read.lasttime = std::move(time);
    }
    if (columns.pinned) {
        // Only 1 pins: an empty field, or anything else a spreadsheet made of it, does not.
        std::wstring& pinned = fields[*columns.pinned];
        TrimBlanks(pinned);
        read.pinned = pinned == L"1";
    }
    item = std::move(read);
    return RecordFault::None;
}

CString RecordFaultReason(RecordFault fault)
{
    switch (fault) {
    case RecordFault::Quotes:
        return L"引号不成对";
    case RecordFault::FieldCount:
        return L"字段个数与标题行不同";
    case RecordFault::Count:
        return L"点击次数不是数字";
    case RecordFault::Time:
        return L"最后复制时间无法识别";
    case RecordFault::None:
        break;
    }
    return CString();
}
