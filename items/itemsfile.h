// The items file: CSV whose header names an item's four fields, then one record an item, as the
// export writes it and the import reads it back.
#pragma once

#include "base/cstring.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The header, field by field, in the order every record holds them: title, data1, clicktimes,
// lasttime.
extern const std::array<const wchar_t*, 4> kItemsFileHeader;  // 标签,内容,点击次数,最后复制时间

// The fifth field, which files of older versions lack: 1 for a pinned item, else empty.
extern const wchar_t* const kItemsFilePinnedField;  // 置顶

// Where the records of a file hold an item's fields, as its header names them.
struct CItemsFileColumns {
    std::array<size_t, 4> at = {0, 1, 2, 3};  // the fields' places, in the header's order above
    std::optional<size_t> pinned;             // the pin's place, in a file that has it
    size_t count = 4;                         // the header's fields: each record has as many
};

// The columns of a header that names the four fields, in any order, among fields of other names
// (a later version's, the user's own notes), which are left alone; nothing for any other record.
// Byte order marks before the header (one written twice, files joined) are no part of it.
std::optional<CItemsFileColumns> ReadItemsFileHeader(const std::vector<std::wstring>& fields);

// One item as a record gives it.
struct CFileItem {
    std::wstring title;
    std::wstring data1;
    int clicktimes = 0;
    std::optional<std::wstring> lasttime;  // in the table's form; nothing for an item never copied
    bool pinned = false;                   // its pin field is 1
};

// Why a record gives no item and stops the import.
enum class RecordFault {
    None,
    Quotes,      // a quote never closed, or text after a closing quote
    FieldCount,  // not as many fields as the header
    Count,       // the click count is not a whole number from 0 up
    Time,        // the time is none of the forms a time is written in
};

// The item a record gives: RecordFault::None with item set, or with item left empty for a record
// without a content (an empty line, a row of empty fields) or for the header again (files joined),
// which give no item, as an empty line of a text file gives none. A count or time may be empty: 0
// clicks, never copied. A label or content written as a formula that shows its text is that text.
// The fields' texts are taken over.
RecordFault ReadItemRecord(std::vector<std::wstring>&& fields, const CItemsFileColumns& columns,
                           std::optional<CFileItem>& item);

// What is wrong with a record that stopped a reading of the items file, in the user's words.
CString RecordFaultReason(RecordFault fault);
