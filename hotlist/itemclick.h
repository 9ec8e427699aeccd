// WM_ITEMCLICK: a row was clicked; wParam 0, lParam the item id. Row -> row list box -> main window.
#pragma once

#include <windows.h>

constexpr UINT WM_ITEMCLICK = WM_USER + 1;
