// Notification-area icon probes.
#include "tests/mainwnd/tray_probe.h"

#include "mainwnd/trayicon.h"

namespace testing_support {

namespace {

NOTIFYICONDATAA IdentityOnly(HWND hWnd)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = hWnd;
    record.uID = TRAY_ID;
    return record;
}

}  // namespace

bool TrayIconExists(HWND hWnd)
{
    NOTIFYICONDATAA record = IdentityOnly(hWnd);
    return ::Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool RemoveTrayIcon(HWND hWnd)
{
    NOTIFYICONDATAA record = IdentityOnly(hWnd);
    return ::Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

}  // namespace testing_support
