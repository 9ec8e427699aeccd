// Which keys the hotkey field lets the user choose as the global hotkey.
#pragma once

#include <windows.h>

#include <commctrl.h>

// A key pressed alone, or with Shift alone, would be taken from every program's typing (the "a" of
// every text): the field makes it Ctrl+Alt+key (HKM_SETRULES's invalid combinations and what
// replaces them).
constexpr WPARAM kHotkeyUnmodifiedCombinations = HKCOMB_NONE | HKCOMB_S;
constexpr WORD kHotkeyAddedModifiers = HOTKEYF_CONTROL | HOTKEYF_ALT;

// A key every program uses (Ctrl+C, Ctrl+V, Ctrl+A, Ctrl+Z, Ctrl+S, Alt+Tab, Alt+F4...): held as a
// global hotkey, it would stop doing its work in every other program.
bool IsEveryProgramsKey(WORD hotkey);
