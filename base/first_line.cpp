// The first line of a text, for rows that show one line.
#include "base/first_line.h"

#include <string>

CString FirstLineShown(const CString& text)
{
    const std::wstring::size_type lineEnd = text.str().find_first_of(L"\r\n");
    if (lineEnd == std::wstring::npos)
        return text;
    return text.Left(static_cast<int>(lineEnd)) + L" …";
}
