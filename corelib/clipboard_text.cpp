// Text to and from the clipboard: the clipboard is held open only while blocks change hands.
#include "corelib/clipboard_text.h"

#include "base/kernel_handles.h"
#include "corelib/clipboard_session.h"

bool PutTextOnClipboard(HWND owner, const CString& text, DWORD waitMs)
{
    // The block is ready before the clipboard is opened.
    CGlobalMemory unicode =
        GlobalCopy(text.GetString(), (static_cast<size_t>(text.GetLength()) + 1) * sizeof(wchar_t));
    if (!unicode.Get())
        return false;
    CClipboardSession clipboard(owner, waitMs);
    if (!clipboard.IsOpen() || !::EmptyClipboard())
        return false;
    // Only the UTF-16 form is put. A program that asks for CF_TEXT gets the system's own
    // conversion of it to the system code page: the one way our text reaches that code page.
    if (!::SetClipboardData(CF_UNICODETEXT, unicode.Get()))
        return false;
    unicode.Release();  // the system owns the block now
    return true;
}

CString TextOnClipboard(HWND owner, DWORD waitMs)
{
    std::wstring wide;
    {
        CClipboardSession clipboard(owner, waitMs);
        if (!clipboard.IsOpen())
            return CString();
        HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
        const wchar_t* units = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
        if (!units)
            return CString();
        // The block may be larger than its text: the text ends at its first NUL.
        const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
        size_t length = 0;
        while (length < capacity && units[length] != L'\0')
            ++length;
        wide.assign(units, length);
        ::GlobalUnlock(data);
    }
    return CString(std::move(wide));
}
