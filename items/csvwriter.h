// Writing CSV as RFC 4180 has it, and as Excel and WPS read it: UTF-8 bytes, CR LF after a record.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Appends one field: as it stands or, when it holds a comma, a quote or a line break, between
// quotes with each of its quotes doubled.
void AppendCsvField(std::string& out, std::string_view field);

// Appends one record: its fields separated by commas, then CR LF.
template <typename Fields> void AppendCsvRecord(std::string& out, const Fields& fields)
{
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            out += ',';
        first = false;
        AppendCsvField(out, field);
    }
    out += "\r\n";
}
inline void AppendCsvRecord(std::string& out, std::initializer_list<std::string_view> fields)
{
    AppendCsvRecord<std::initializer_list<std::string_view>>(out, fields);
}
