// Flags kept in an INI file beside the program (UTF-8): one section, one "key=0|1" line per flag.
#pragma once

#include "base/cstring.h"

// The section every flag lives in.
extern const wchar_t* const kSettingsSection;  // "Settings"

// The settings file that belongs to a program: its path with the extension ".ini".
CString SettingsPathOf(const CString& programPath);
// Creates an empty settings file when there is none; never touches an existing one.
bool EnsureSettingsFile(const CString& path);
// 1 when the key holds a nonzero number, 0 when it holds 0, is missing, unreadable or not a number.
int ReadSettingsFlag(const CString& path, const CString& key);
// Stores 1 for any nonzero value, else 0, keeping every other line of the file. The file is
// replaced as a whole, so a failed write leaves the old one. False when the key cannot be a key
// or the file cannot be written.
bool WriteSettingsFlag(const CString& path, const CString& key, int value);
