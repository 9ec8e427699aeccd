// The tray's options command: the options dialog, and whether it cleared the history.
#pragma once

#include "framework/global_hotkey.h"

#include <windows.h>

// Runs the options dialog modally over the main window (the framework makes the main window its
// owner); true when the click history was cleared. A hotkey chosen there replaces hotkey at once.
bool RunOptionsCommand(HWND mainWnd, CGlobalHotkey& hotkey);
