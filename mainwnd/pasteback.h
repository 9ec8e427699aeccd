// Pasting into another program's window: what can be known before, and the keys themselves.
#pragma once

#include <windows.h>

enum class PasteObstacle {
    None,
    NoWindow,   // the window has gone
    MoreRights  // it runs with more rights than this program: Windows lets no key reach it
};

// What stands in the way of pasting into the window, seen before anything is done.
PasteObstacle PasteObstacleOf(HWND target);

// The window is in front and the keyboard focus is in it, so that keys sent now reach it.
bool IsReadyForKeys(HWND target);

// Ctrl+V into the foreground window, with the modifier keys the user still holds let go first so
// that no stray key reaches it. False when the system took not all of the keys.
bool SendPasteKeys();
