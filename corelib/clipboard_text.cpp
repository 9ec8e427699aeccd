// Text to the clipboard: both blocks are made first, so that the clipboard is held open briefly.
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

}  // namespace

bool PutTextOnClipboard(HWND owner, const CString& text, DWORD waitMs)
{
    CGlobalMemory ansi = GlobalCopy(text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
    std::wstring wide = SystemToWide(text);
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
