// CString: formatting, searching and buffer access.
#include "base/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>

void CString::Format(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    // The C99 wide formatter: %ls is a wide text, %s a narrow one, on every runtime.
    int length = __mingw_vsnwprintf(nullptr, 0, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        m_text.clear();
        return;
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    __mingw_vsnwprintf(&text[0], text.size(), format, again);
    va_end(again);
    text.resize(static_cast<size_t>(length));
    m_text.swap(text);
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const
{
    if (count <= 0)
        return CString();
    return CString(m_text.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (first >= GetLength())
        return CString();
    return CString(m_text.substr(static_cast<size_t>(first),
                                 count < 0 ? std::wstring::npos : static_cast<size_t>(count)));
}

int CString::Replace(LPCWSTR oldText, LPCWSTR newText)
{
    size_t oldLength = oldText ? std::wcslen(oldText) : 0;
    if (oldLength == 0)
        return 0;
    std::wstring replacement = newText ? newText : L"";
    int count = 0;
    for (size_t at = m_text.find(oldText); at != std::wstring::npos;
         at = m_text.find(oldText, at + replacement.size())) {
        m_text.replace(at, oldLength, replacement);
        ++count;
    }
    return count;
}

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::wcslen(m_text.c_str()));
    m_text.resize(static_cast<size_t>(newLength));
}
