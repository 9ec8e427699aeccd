// Conversions of imported text into the system code page, in which the program keeps its texts.
#pragma once

#include "base/cstring.h"

#include <string>

// Characters the code page cannot hold become "?", one per character (a surrogate pair included).
CString WideToSystem(const std::wstring& text);
// UTF-8 bytes to the system code page; malformed sequences become "?" as well.
CString Utf8ToSystem(const std::string& bytes);
