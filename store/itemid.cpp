// Item ids that fit the program's 32-bit ids, and the ones that do not.
#include "store/itemid.h"

#include <string>

#include <climits>

std::optional<int> ItemIdFromRowid(long long rowid)
{
    if (rowid < INT_MIN || rowid > INT_MAX)
        return std::nullopt;
    return static_cast<int>(rowid);
}

std::optional<int> ItemIdFromValue(const CDbValue& value)
{
    if (value.GetKind() != CDbValue::Kind::Integer)
        return std::nullopt;
    return ItemIdFromRowid(value.AsInteger());
}

CString ItemIdList(const std::vector<int>& ids)
{
    std::wstring list;
    for (int id : ids) {
        list += std::to_wstring(id);
        list += L',';
    }
    if (!list.empty())
        list.pop_back();
    return CString(std::move(list));
}
