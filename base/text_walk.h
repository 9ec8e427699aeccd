// Walking UTF-16 text by characters: a character beyond the basic plane (an emoji, 𠮷) is a pair
// of units, and is never cut in half.
#pragma once

#include "base/cstring.h"

// The length in units of the character that begins at index (1, or 2 for a surrogate pair).
int CharLengthAt(const CString& text, int index);
// Where the last character begins; -1 for "".
int LastCharStart(const CString& text);
// The folder part of a path, up to and including its last '\' or '/'; "" when it has none.
CString FolderOfPath(const CString& path);
