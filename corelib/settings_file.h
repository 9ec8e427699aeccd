// Settings kept in an INI file beside the program (UTF-8): one section, one "key=value" line per
// setting; flags are "key=0|1".
#pragma once

#include "base/cstring.h"

#include <optional>

// The section every flag lives in.
extern const wchar_t* const kSettingsSection;  // "Settings"

// The settings file that belongs to a program: its path with the extension ".ini".
CString SettingsPathOf(const CString& programPath);
// Creates an empty settings file when there is none; never touches an existing one.
bool EnsureSettingsFile(const CString& path);
// 1 when the key holds a nonzero number, 0 when it holds 0, is missing, unreadable or not a number.
int ReadSettingsFlag(const CString& path, const CString& key);
// The value stored under key, without the blanks around it; nothing when the key is missing or the
// file cannot be read.
std::optional<CString> ReadSettingsText(const CString& path, const CString& key);
// Stores value under key the way WriteSettingsFlag stores a flag. False when the key cannot be a
// key, the value would break its line, or the file cannot be written.
bool WriteSettingsText(const CString& path, const CString& key, const CString& value);
// Stores 1 for any nonzero value, else 0, keeping every other line of the file. The file is
// replaced as a whole, so a failed write leaves the old one. False when the key cannot be a key
// or the file cannot be written.
bool WriteSettingsFlag(const CString& path, const CString& key, int value);
