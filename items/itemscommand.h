// The tray's items command: the items dialog and, after any change, the restart request.
#pragma once

#include <windows.h>

// Runs the items dialog modally over the main window; when the table was changed, tells the
// user to start the program again and ends the main window's loop with exit code 0.
void RunItemsCommand(HWND mainWnd);
