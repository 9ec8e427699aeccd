// Notification-area icon probes.
#include "tests/mainwnd/tray_probe.h"

#include "mainwnd/trayicon.h"

namespace testing_support {

namespace {

NOTIFYICONDATAW IdentityOnly(HWND hWnd)
{
    NOTIFYICONDATAW record = {};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = hWnd;
    record.uID = TRAY_ID;
    return record;
}

}  // namespace

bool TrayIconExists(HWND hWnd)
{
    NOTIFYICONDATAW record = IdentityOnly(hWnd);
    return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

bool RemoveTrayIcon(HWND hWnd)
{
    NOTIFYICONDATAW record = IdentityOnly(hWnd);
    return ::Shell_NotifyIconW(NIM_DELETE, &record) != FALSE;
}

}  // namespace testing_support
