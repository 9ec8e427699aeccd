// Work areas and fitting windows into them.
#include "framework/work_area.h"

#include <algorithm>

CRect WorkAreaOf(HWND hWnd)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = ::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST);
    if (monitor && ::GetMonitorInfoW(monitor, &info))
        return CRect(info.rcWork);
    RECT area = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return CRect(area);
}

CRect FitInto(const CRect& rect, const CRect& area)
{
    const LONG width = std::min(rect.Width(), area.Width());
    const LONG height = std::min(rect.Height(), area.Height());
    const LONG left = std::clamp(rect.left, area.left, area.right - width);
    const LONG top = std::clamp(rect.top, area.top, area.bottom - height);
    return CRect(left, top, left + width, top + height);
}

bool FitWindowToWorkArea(HWND hWnd)
{
    RECT window = {};
    if (!::GetWindowRect(hWnd, &window))
        return false;
    const CRect fitted = FitInto(CRect(window), WorkAreaOf(hWnd));
    if (::EqualRect(&fitted, &window))
        return false;
    ::SetWindowPos(hWnd, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}
