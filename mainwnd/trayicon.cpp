// The notification-area icon record.
#include "mainwnd/trayicon.h"

static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first form of the record is 88 bytes");

NOTIFYICONDATAA MakeTrayIconRecord(HWND hWnd, HICON hIcon, LPCSTR tip)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = hWnd;
    record.uID = TRAY_ID;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = TRAY_ID;
    record.hIcon = hIcon;
    ::lstrcpynA(record.szTip, tip, 64);
    return record;
}
