// Real mouse input for tests: SendInput, as a user's hand would give it.
#pragma once

#include <windows.h>

// Moves the cursor to a screen point; true once the system reports it there steadily.
bool MouseMoveTo(int x, int y);
// Presses or releases the left button with the cursor at a screen point.
void MouseLeftDown(int x, int y);
void MouseLeftUp(int x, int y);
// Move, press and release.
bool ClickAt(int x, int y);
// Move, then press and release the right button.
bool RightClickAt(int x, int y);
