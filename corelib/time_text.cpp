// Formatting a SYSTEMTIME by field names.
#include "corelib/time_text.h"

#include "base/dbcs_text.h"

#include <cstring>

const char* const kDefaultTimeFormat = "yyyy-MM-dd HH:mm:ss";

namespace {

struct TimeField {
    const char* name;
    int digits;
    WORD SYSTEMTIME::*value;
};

const TimeField kFields[] = {
    {"yyyy", 4, &SYSTEMTIME::wYear}, {"MM", 2, &SYSTEMTIME::wMonth},  {"dd", 2, &SYSTEMTIME::wDay},
    {"HH", 2, &SYSTEMTIME::wHour},   {"mm", 2, &SYSTEMTIME::wMinute}, {"ss", 2, &SYSTEMTIME::wSecond},
};

const TimeField* FieldAt(const CString& format, int index)
{
    for (const TimeField& field : kFields) {
        if (std::strncmp(format.GetString() + index, field.name, std::strlen(field.name)) == 0)
            return &field;
    }
    return nullptr;
}

}  // namespace

CString FormatTime(const SYSTEMTIME& time, const CString& format)
{
    CString pattern = format.IsEmpty() ? CString(kDefaultTimeFormat) : format;
    CString text;
    for (int i = 0; i < pattern.GetLength();) {
        if (const TimeField* field = FieldAt(pattern, i)) {
            CString digits;
            digits.Format("%0*u", field->digits, static_cast<unsigned>(time.*(field->value)));
            text += digits;
            i += static_cast<int>(std::strlen(field->name));
        } else {
            int length = CharLengthAt(pattern, i);
            text += pattern.Mid(i, length);
            i += length;
        }
    }
    return text;
}
