// Starting with Windows: the user's Run value that starts this program minimised at logon.
#pragma once

#include "base/cstring.h"

// Under HKEY_CURRENT_USER; the setup writes the same value.
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValueName[] = L"Mirelo";

// What the value holds for the program at programPath: its quoted path and /min.
CString AutoStartCommand(const CString& programPath);

// Whether the value is there and starts the program at programPath (another copy's value is not ours).
bool IsAutoStartOn(const CString& programPath);

// Writes the value for programPath, or removes it when it starts that program; another copy's
// value is left alone. False when the registry refused the change.
bool SetAutoStart(const CString& programPath, bool on);
