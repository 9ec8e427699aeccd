// Code page 936 <-> UTF-16 over MultiByteToWideChar and WideCharToMultiByte.
#include "corelib/codepage_text.h"

#include <windows.h>

std::wstring WideOfCodePage(const CString& text)
{
    if (text.IsEmpty())
        return std::wstring();
    int units = ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), nullptr, 0);
    if (units <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), &wide[0], units);
    return wide;
}

CString CodePageOfWide(const std::wstring& text)
{
    if (text.empty())
        return CString();
    int length = static_cast<int>(text.size());
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return CString();
    std::string narrow(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, &narrow[0], bytes, nullptr, nullptr);
    return CString(narrow);
}
