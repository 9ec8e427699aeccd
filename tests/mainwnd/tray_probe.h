// Looks at a window's notification-area icon from outside, through the shell.
#pragma once

#include <windows.h>

namespace testing_support {

// True while the shell holds an icon of hWnd with the main window's id (a modify that changes
// nothing succeeds only for an icon that is there).
bool TrayIconExists(HWND hWnd);

// Takes the icon away as a restarted shell would have lost it.
bool RemoveTrayIcon(HWND hWnd);

}  // namespace testing_support
