// The global hotkey setting, kept in the settings file beside the program as "hotkey=N": N is the
// hot key control's value in decimal (the virtual key plus 256 times the HOTKEYF_ flags), so
// Ctrl+` is "hotkey=704"; "hotkey=0" (or an empty value) means no hotkey.
#pragma once

#include "corelib/core.h"

#include <commctrl.h>
#include <windows.h>

constexpr wchar_t kHotkeyKey[] = L"hotkey";
// Ctrl+`, the key that brings the main window up when the setting has never been made.
constexpr WORD kDefaultHotkey = (HOTKEYF_CONTROL << 8) | VK_OEM_3;

// The stored hotkey; the default when the setting is missing, is not a hotkey at all or is a key every
// program uses.
WORD ReadHotkeySetting(CCore& core);
// False when the settings file cannot be written.
bool SaveHotkeySetting(CCore& core, WORD hotkey);
