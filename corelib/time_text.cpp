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

// Reads a number of minDigits to maxDigits ASCII digits at text[pos], moving pos past it.
bool ReadNumber(const std::wstring& text, size_t& pos, size_t minDigits, size_t maxDigits, WORD& value)
{
    size_t digits = 0;
    unsigned number = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= L'0' && text[pos] <= L'9') {
        number = number * 10 + static_cast<unsigned>(text[pos] - L'0');
        ++pos;
        ++digits;
    }
    value = static_cast<WORD>(number);
    return digits >= minDigits && !(pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9');
}

bool ReadChar(const std::wstring& text, size_t& pos, wchar_t expected)
{
    if (pos >= text.size() || text[pos] != expected)
        return false;
    ++pos;
    return true;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
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

bool ToDefaultTimeFormat(std::wstring& units)
{
    SYSTEMTIME time = {};
    size_t pos = 0;
    if (!ReadNumber(units, pos, 4, 4, time.wYear) || pos >= units.size())
        return false;
    // The date's two separators are the same: "-" as stored, "/" as spreadsheets write it.
    const wchar_t separator = units[pos];
    if ((separator != L'-' && separator != L'/') || !ReadChar(units, pos, separator) ||
        !ReadNumber(units, pos, 1, 2, time.wMonth) || !ReadChar(units, pos, separator) ||
        !ReadNumber(units, pos, 1, 2, time.wDay) || !ReadChar(units, pos, L' ') ||
        !ReadNumber(units, pos, 1, 2, time.wHour) || !ReadChar(units, pos, L':') ||
        !ReadNumber(units, pos, 2, 2, time.wMinute))
        return false;
    if (pos < units.size() && (!ReadChar(units, pos, L':') || !ReadNumber(units, pos, 2, 2, time.wSecond)))
        return false;
    if (pos != units.size() || time.wMonth < 1 || time.wMonth > 12 || time.wDay < 1 ||
        time.wDay > DaysInMonth(time.wYear, time.wMonth) || time.wHour > 23 || time.wMinute > 59 ||
        time.wSecond > 59)
        return false;
    // Every field at its full width with "-" can only be the form itself: kept as it is.
    if (separator != L'-' || units.size() != std::wcslen(kDefaultTimeFormat))
        units = FormatTime(time, kDefaultTimeFormat).str();
    return true;
}
