// Global hotkeys pressed on the keyboard, as the user presses them: SendInput of the modifiers
// and the key, down and up. Under Wine the system matches such input against the registered
// hotkeys while SendInput runs, so WM_HOTKEY is already queued when it returns.
#pragma once

#include <windows.h>

namespace testing_support {

// Presses hotkey (in the hot key control's form) once.
void PressKeys(WORD hotkey);

// Presses hotkey until the system has queued WM_HOTKEY for receiver, a window of this thread,
// and says whether it did. A window of another process that has just taken the keyboard focus
// resets, under Wine, the modifiers held down, so that an occasional press arrives without them
// and is lost; a few presses are tried. False as well when a WM_HOTKEY is queued already.
bool PressHotkeyFor(HWND receiver, WORD hotkey);

// Whether a WM_HOTKEY for receiver (a window of this thread) is waiting in the queue.
bool HotkeyQueued(HWND receiver);

}  // namespace testing_support
