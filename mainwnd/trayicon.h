// The notification-area icon record of the main window.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

// The icon's id and the message number its mouse actions arrive as.
constexpr UINT TRAY_ID = 1045;

// The record in its first form (the size every shell understands), for adding and removing alike;
// the tip is cut to 63 units and its terminator, never inside a surrogate pair.
NOTIFYICONDATAW MakeTrayIconRecord(HWND hWnd, HICON hIcon, LPCWSTR tip);
