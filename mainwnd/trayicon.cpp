// The notification-area icon record.
#include "mainwnd/trayicon.h"

#include <cstddef>

// The first form ends at the 64-byte tip: 88 bytes in 32-bit code, 104 with 64-bit handles.
static_assert(NOTIFYICONDATAA_V1_SIZE == offsetof(NOTIFYICONDATAA, szTip) + 64,
              "the first form of the record ends at its 64-byte tip");
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "the 32-bit first form is 88 bytes");

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
