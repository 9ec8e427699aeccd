// Text to and from the clipboard: the clipboard is held open only while blocks change hands.
#include "corelib/clipboard_text.h"

#include "base/kernel_handles.h"
#include "corelib/clipboard_session.h"

#include <cstdint>

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
    return TextOnClipboardUpTo(owner, SIZE_MAX, waitMs).value_or(CString());
}

std::optional<CString> TextOnClipboardUpTo(HWND owner, size_t maxUnits, DWORD waitMs)
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
        // The block may be larger than its text: the text ends at its first NUL, looked for no
        // further than the longest text wanted.
        const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
        const size_t searched = maxUnits < capacity ? maxUnits + 1 : capacity;
        size_t length = 0;
        while (length < searched && units[length] != L'\0')
            ++length;
        if (length <= maxUnits)
            wide.assign(units, length);
        ::GlobalUnlock(data);
        if (length > maxUnits)
            return std::nullopt;
    }
    return CString(std::move(wide));
}
