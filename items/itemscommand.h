// The tray's items command: the items dialog, and whether it changed the table.
#pragma once

#include <windows.h>

// Runs the items dialog modally over the main window (the framework makes the main window its
// owner); true when an item was added, changed, deleted or imported.
bool RunItemsCommand(HWND mainWnd);
