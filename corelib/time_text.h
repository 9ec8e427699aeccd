// Time as text: "yyyy", "MM", "dd", "HH", "mm" and "ss" stand for the fields, zero-padded.
#pragma once

#include "base/cstring.h"

#include <string>
#include <windows.h>

// The form for an empty format: sortable as text, and accepted by the item database.
extern const wchar_t* const kDefaultTimeFormat;  // "yyyy-MM-dd HH:mm:ss"

// The time in the format; everything but the field names is copied as it stands.
CString FormatTime(const SYSTEMTIME& time, const CString& format);

// Puts a time into the form of kDefaultTimeFormat, from that form or from the forms spreadsheets
// write it back in ("2026/1/2 3:04", "2026/1/2 3:04:05": fields without their zeros, seconds left
// out). False, the text left as it was, for any other text or a date the calendar does not have.
bool ToDefaultTimeFormat(std::wstring& text);
