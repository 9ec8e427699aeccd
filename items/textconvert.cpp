// Conversions through UTF-16 with the platform's code page tables.
#include "items/textconvert.h"

#include <windows.h>

CString WideToSystem(const std::wstring& text)
{
    if (text.empty())
        return CString();
    // A character beyond the basic plane is a pair of units; make it one "?" rather than two.
    std::wstring units;
    units.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            units += L'?';
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            units += L'?';
        } else {
            units += unit;
        }
    }
    int length = static_cast<int>(units.size());
    // No best fit: a character without its own code must not turn into a look-alike.
    int size =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units.data(), length, nullptr, 0, "?", nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units.data(), length, bytes.data(), size, "?",
                          nullptr);
    return CString(bytes);
}

CString Utf8ToSystem(const std::string& bytes)
{
    if (bytes.empty())
        return CString();
    int length = static_cast<int>(bytes.size());
    int size = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, wide.data(), size);
    return WideToSystem(wide);
}
