// The part of the screen a window may use (its monitor without the taskbar), and keeping a
// window inside it.
#pragma once

#include "framework/geometry.h"

// The work area of the monitor that holds most of the window (the nearest one if none does).
CRect WorkAreaOf(HWND hWnd);
// The rectangle made no larger than the area, then moved the least that puts it inside.
CRect FitInto(const CRect& rect, const CRect& area);
// Shrinks and moves the window so that all of it is in its monitor's work area; true when it had
// to change.
bool FitWindowToWorkArea(HWND hWnd);
