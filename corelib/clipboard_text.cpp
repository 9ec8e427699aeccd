// Text to and from the clipboard: the clipboard is held open only while blocks change hands.
#include "corelib/clipboard_text.h"

#include "base/kernel_handles.h"
#include "base/text_codec.h"
#include "corelib/clipboard_session.h"

#include <string>

namespace {

// Hands the block to the clipboard; on success the system owns it.
bool SetFormat(UINT format, CGlobalMemory& block)
{
    if (!block.Get() || !::SetClipboardData(format, block.Get()))
        return false;
    block.Release();
    return true;
}

// Puts both forms of one text; the blocks are ready before the clipboard is opened.
bool PutBothForms(HWND owner, const CString& text, const std::wstring& wide, DWORD waitMs)
{
    CGlobalMemory ansi = GlobalCopy(text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
    CGlobalMemory unicode = GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    if (!ansi.Get() || !unicode.Get())
        return false;

    CClipboardSession clipboard(owner, waitMs);
    if (!clipboard.IsOpen() || !::EmptyClipboard())
        return false;
    bool hasText = SetFormat(CF_TEXT, ansi);
    bool hasUnicode = SetFormat(CF_UNICODETEXT, unicode);
    return hasText && hasUnicode;
}

}  // namespace

bool PutTextOnClipboard(HWND owner, const CString& text, DWORD waitMs)
{
    return PutBothForms(owner, text, SystemToWide(text), waitMs);
}

bool PutTextOnClipboard(HWND owner, const std::wstring& text, DWORD waitMs)
{
    return PutBothForms(owner, WideToSystem(text), text, waitMs);
}

std::wstring WideTextOnClipboard(HWND owner, DWORD waitMs)
{
    std::wstring wide;
    {
        CClipboardSession clipboard(owner, waitMs);
        if (!clipboard.IsOpen())
            return std::wstring();
        HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
        const wchar_t* units = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
        if (!units)
            return std::wstring();
        // The block may be larger than its text: the text ends at its first NUL.
        const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
        size_t length = 0;
        while (length < capacity && units[length] != L'\0')
            ++length;
        wide.assign(units, length);
        ::GlobalUnlock(data);
    }
    return wide;
}
