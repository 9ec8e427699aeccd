// Putting text on the clipboard in both text formats, and reading the text it holds.
#pragma once

#include "base/cstring.h"

#include <string>
#include <windows.h>

// How long a copy waits for another program to close the clipboard.
constexpr DWORD kClipboardWaitMs = 1000;

// Empties the clipboard for owner and puts CF_TEXT (the code page bytes) and CF_UNICODETEXT
// (the same text in UTF-16). True when the clipboard now holds both.
bool PutTextOnClipboard(HWND owner, const CString& text, DWORD waitMs = kClipboardWaitMs);
// The same for a UTF-16 text: CF_UNICODETEXT carries every character of it, CF_TEXT the code page
// form (a character the code page lacks becomes what the system makes of it there).
bool PutTextOnClipboard(HWND owner, const std::wstring& text, DWORD waitMs = kClipboardWaitMs);

// The text on the clipboard as UTF-16 (CF_UNICODETEXT, which the system provides for every text
// format); "" when it holds no text or stays held by another program.
std::wstring WideTextOnClipboard(HWND owner, DWORD waitMs = kClipboardWaitMs);
