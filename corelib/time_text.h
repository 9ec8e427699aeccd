// Time as text: "yyyy", "MM", "dd", "HH", "mm" and "ss" stand for the fields, zero-padded.
#pragma once

#include "base/cstring.h"

#include <windows.h>

// The form for an empty format: sortable as text, and accepted by the item database.
extern const wchar_t* const kDefaultTimeFormat;  // "yyyy-MM-dd HH:mm:ss"

// The time in the format; everything but the field names is copied as it stands.
CString FormatTime(const SYSTEMTIME& time, const CString& format);
