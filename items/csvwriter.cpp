// AppendCsvField: quoting only the fields that need it keeps plain fields as they stand.
#include "items/csvwriter.h"

void AppendCsvField(std::string& out, std::string_view field)
{
    // Every byte searched for is ASCII, which UTF-8 never uses inside a longer character.
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (size_t start = 0;;) {
        const size_t quote = field.find('"', start);
        if (quote == std::string_view::npos) {
            out += field.substr(start);
            break;
        }
        out += field.substr(start, quote + 1 - start);
        out += '"';  // the quote written twice
        start = quote + 1;
    }
    out += '"';
}
