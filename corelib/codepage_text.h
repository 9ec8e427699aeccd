// Conversions between the system code page (936) and UTF-16.
#pragma once

#include "base/cstring.h"

#include <string>

// The code page bytes as UTF-16; a byte the code page cannot map becomes the default character.
std::wstring WideOfCodePage(const CString& text);
// UTF-16 as code page bytes; a character the code page lacks becomes '?'.
CString CodePageOfWide(const std::wstring& text);
