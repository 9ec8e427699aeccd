// The dots per inch a window is shown at, and pixel sizes chosen for 96 DPI scaled to it.
#pragma once

#include <windows.h>

// The scale every size chosen in pixels is written for (100 %).
constexpr UINT kDesignDpi = 96;

// The window's DPI: its monitor's where the system tells it per window (Windows 10 1607 and
// later), else the system's (what the screen context reports).
UINT WindowDpi(HWND hWnd);
// A length of `pixels` at 96 DPI, at `dpi`; rounded to the nearest pixel.
int ScaleToDpi(int pixels, UINT dpi);
// A length at `dpi` as it would be at 96 DPI.
int ScaleFromDpi(int pixels, UINT dpi);
// A length at fromDpi as it is at toDpi (a window moved to a screen of another scale); unchanged
// when fromDpi is not known (0).
int ScaleBetweenDpi(int pixels, UINT fromDpi, UINT toDpi);
// The icon resource's image drawn for `size` pixels (SM_CXSMICON, SM_CXICON at the system DPI), so
// that the system does not stretch another one. Shared: never destroyed.
HICON LoadIconAtSize(HINSTANCE module, UINT id, int size);
