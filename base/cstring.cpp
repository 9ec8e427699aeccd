// CString: formatting, searching and buffer access.
#include "base/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        m_text.clear();
        return;
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    vsnprintf(&text[0], text.size(), format, again);
    va_end(again);
    text.resize(static_cast<size_t>(length));
    m_text.swap(text);
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
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
                                 count < 0 ? std::string::npos : static_cast<size_t>(count)));
}

int CString::Replace(LPCSTR oldText, LPCSTR newText)
{
    size_t oldLength = oldText ? std::strlen(oldText) : 0;
    if (oldLength == 0)
        return 0;
    std::string replacement = newText ? newText : "";
    int count = 0;
    for (size_t at = m_text.find(oldText); at != std::string::npos;
         at = m_text.find(oldText, at + replacement.size())) {
        m_text.replace(at, oldLength, replacement);
        ++count;
    }
    return count;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_text.c_str()));
    m_text.resize(static_cast<size_t>(newLength));
}
