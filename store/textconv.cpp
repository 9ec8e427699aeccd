// Code page conversions for the engine boundary; failures are raised as database failures.
#include "store/textconv.h"

#include "store/dberror.h"

#include <sqlite3.h>

#include <new>

namespace {

std::wstring ToWide(const char* text, int length, UINT codePage)
{
    if (length == 0)
        return std::wstring();
    int wideLength = ::MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (wideLength <= 0)
        throw CDbError(SQLITE_ERROR, "text cannot be converted to UTF-16");
    try {
        std::wstring wide(static_cast<size_t>(wideLength), L'\0');
        if (::MultiByteToWideChar(codePage, 0, text, length, &wide[0], wideLength) != wideLength)
            throw CDbError(SQLITE_ERROR, "text cannot be converted to UTF-16");
        return wide;
    } catch (const std::bad_alloc&) {
        throw CDbError(SQLITE_NOMEM, "out of memory converting text");
    }
}

std::string FromWide(const std::wstring& wide, UINT codePage)
{
    if (wide.empty())
        return std::string();
    int wideLength = static_cast<int>(wide.size());
    int length = ::WideCharToMultiByte(codePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        throw CDbError(SQLITE_ERROR, "text cannot be converted from UTF-16");
    try {
        std::string text(static_cast<size_t>(length), '\0');
        if (::WideCharToMultiByte(codePage, 0, wide.data(), wideLength, &text[0], length, nullptr, nullptr) !=
            length)
            throw CDbError(SQLITE_ERROR, "text cannot be converted from UTF-16");
        return text;
    } catch (const std::bad_alloc&) {
        throw CDbError(SQLITE_NOMEM, "out of memory converting text");
    }
}

}  // namespace

std::wstring AnsiToWide(const CString& text)
{
    return ToWide(text.str().data(), text.GetLength(), CP_ACP);
}

CString WideToAnsi(const std::wstring& text)
{
    return CString(FromWide(text, CP_ACP));
}

std::string WideToUtf8(const std::wstring& text)
{
    return FromWide(text, CP_UTF8);
}
