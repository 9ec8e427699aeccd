// The first line of a text, for rows that show one line.
#include "base/first_line.h"

#include <string>

CString FirstLineShown(const CString& text)
{
    // A byte search is safe in code page 936: the second byte of a double-byte character is 0x40
    // or above, never a carriage return or a line feed.
    const std::string::size_type lineEnd = text.str().find_first_of("\r\n");
    if (lineEnd == std::string::npos)
        return text;
    return text.Left(static_cast<int>(lineEnd)) + " …";
}
