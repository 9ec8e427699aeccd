// Putting text on the clipboard, and reading the text it holds.
#pragma once

#include "base/cstring.h"

#include <windows.h>

// How long a copy waits for another program to close the clipboard.
constexpr DWORD kClipboardWaitMs = 1000;

// Empties the clipboard for owner and puts the text as CF_UNICODETEXT, every character as it is.
// True when the clipboard now holds it.
bool PutTextOnClipboard(HWND owner, const CString& text, DWORD waitMs = kClipboardWaitMs);

// The text on the clipboard (CF_UNICODETEXT, which the system provides for every text format);
// "" when it holds no text or stays held by another program.
CString TextOnClipboard(HWND owner, DWORD waitMs = kClipboardWaitMs);
