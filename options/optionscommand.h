// The tray's options command: the options dialog and, after a cleared history, the restart request.
#pragma once

#include "framework/global_hotkey.h"

#include <windows.h>

// Runs the options dialog modally over the main window; when the history was cleared, tells the
// user to start the program again and ends the main window's loop with exit code 0. A hotkey
// chosen there replaces hotkey at once, and asks for no restart.
void RunOptionsCommand(HWND mainWnd, CGlobalHotkey& hotkey);
