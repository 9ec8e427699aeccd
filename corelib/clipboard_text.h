// Putting text on the clipboard in both text formats.
#pragma once

#include "base/cstring.h"

#include <windows.h>

// How long a copy waits for another program to close the clipboard.
constexpr DWORD kClipboardWaitMs = 1000;

// Empties the clipboard for owner and puts CF_TEXT (the code page bytes) and CF_UNICODETEXT
// (the same text in UTF-16). True when the clipboard now holds both.
bool PutTextOnClipboard(HWND owner, const CString& text, DWORD waitMs = kClipboardWaitMs);
