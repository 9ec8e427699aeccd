// What the user reads about the global hotkey: its name and why it is not in effect.
#pragma once

#include "base/cstring.h"

#include <windows.h>

// The hotkey (in the hot key control's form) as the user names it: its modifiers, then the key
// itself, as on the keyboard: "Ctrl+`", "Ctrl+Shift+F", "Alt+F5". Empty for no hotkey.
CString HotkeyName(WORD hotkey);
// The warning over the options dialog when the chosen key is one every program uses (Ctrl+C).
CString HotkeyEveryProgramsText(WORD hotkey);
// The warning over the options dialog when the chosen key could not be registered.
CString HotkeyRefusedText(WORD hotkey, DWORD error);
// The status line at start-up when the stored key could not be registered.
CString HotkeyNotStartedText(WORD hotkey, DWORD error);
