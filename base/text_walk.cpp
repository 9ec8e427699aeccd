// Character-wise scans of UTF-16 text.
#include "base/text_walk.h"

int CharLengthAt(const CString& text, int index)
{
    // A high surrogate without its low half counts as a character alone.
    return IS_HIGH_SURROGATE(text[index]) && index + 1 < text.GetLength() && IS_LOW_SURROGATE(text[index + 1])
               ? 2
               : 1;
}

int LastCharStart(const CString& text)
{
    int last = -1;
    for (int i = 0; i < text.GetLength(); i += CharLengthAt(text, i))
        last = i;
    return last;
}

CString FolderOfPath(const CString& path)
{
    // Separators are units of their own: no surrogate half is ever '\' or '/'.
    const std::wstring::size_type lastSeparator = path.str().find_last_of(L"\\/");
    return lastSeparator == std::wstring::npos ? CString() : path.Left(static_cast<int>(lastSeparator) + 1);
}
