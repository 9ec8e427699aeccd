// Walking code page 936 text by characters: a double-byte character's second byte may be any
// byte from 0x40 up, '\\' (0x5C) included, so byte searches would cut characters in half.
#pragma once

#include "base/cstring.h"

// The length in bytes of the character that begins at index (1, or 2 for a double-byte one).
int CharLengthAt(const CString& text, int index);
// Where the last character begins; -1 for "".
int LastCharStart(const CString& text);
// The folder part of a path, up to and including its last '\' or '/'; "" when it has none.
CString FolderOfPath(const CString& path);
