// Formatting a SYSTEMTIME by field names.
#include "corelib/time_text.h"

#include "base/text_walk.h"

#include <cwchar>

const wchar_t* const kDefaultTimeFormat = L"yyyy-MM-dd HH:mm:ss";

namespace {

struct TimeField {
    const wchar_t* name;
    int digits;
    WORD SYSTEMTIME::*value;
};

const TimeField kFields[] = {
    {L"yyyy", 4, &SYSTEMTIME::wYear}, {L"MM", 2, &SYSTEMTIME::wMonth},  {L"dd", 2, &SYSTEMTIME::wDay},
    {L"HH", 2, &SYSTEMTIME::wHour},   {L"mm", 2, &SYSTEMTIME::wMinute}, {L"ss", 2, &SYSTEMTIME::wSecond},
};

const TimeField* FieldAt(const CString& format, int index)
{
    for (const TimeField& field : kFields) {
        if (std::wcsncmp(format.GetString() + index, field.name, std::wcslen(field.name)) == 0)
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
            digits.Format(L"%0*u", field->digits, static_cast<unsigned>(time.*(field->value)));
            text += digits;
            i += static_cast<int>(std::wcslen(field->name));
        } else {
            int length = CharLengthAt(pattern, i);
            text += pattern.Mid(i, length);
            i += length;
        }
    }
    return text;
}
