// Text at the engine boundary: the system code page to UTF-16 and back, UTF-16 to UTF-8.
#pragma once

#include "base/cstring.h"

#include <string>

// MultiByteToWideChar from the ANSI code page; a failed conversion throws CDbError.
std::wstring AnsiToWide(const CString& text);
// WideCharToMultiByte to the ANSI code page; a failed conversion throws CDbError.
CString WideToAnsi(const std::wstring& text);
// UTF-8, as the engine wants file names; a failed conversion throws CDbError.
std::string WideToUtf8(const std::wstring& text);
