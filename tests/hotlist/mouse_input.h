// Real mouse input for tests: SendInput, as a user's hand would give it.
#pragma once

#include <windows.h>

// Moves the cursor to a screen point; true once the system reports it there.
bool MouseMoveTo(int x, int y);
void MouseLeftDown();
void MouseLeftUp();
// Move, press and release.
bool ClickAt(int x, int y);
