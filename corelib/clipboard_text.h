// Putting text on the clipboard, and reading the text it holds.
#pragma once

#include "base/cstring.h"

#include <cstddef>
#include <optional>
#include <windows.h>

// How long a copy waits for another program to close the clipboard.
constexpr DWORD kClipboardWaitMs = 1000;

// Empties the clipboard for owner and puts the text as CF_UNICODETEXT, every character as it is.
// True when the clipboard now holds it.
bool PutTextOnClipboard(HWND owner, const CString& text, DWORD waitMs = kClipboardWaitMs);

// The text on the clipboard (CF_UNICODETEXT, which the system provides for every text format);
// "" when it holds no text or stays held by another program.
CString TextOnClipboard(HWND owner, DWORD waitMs = kClipboardWaitMs);
// TextOnClipboard for a text of at most maxUnits UTF-16 units: a longer one is not copied out,
// and nothing is returned.
std::optional<CString> TextOnClipboardUpTo(HWND owner, size_t maxUnits, DWORD waitMs = kClipboardWaitMs);
