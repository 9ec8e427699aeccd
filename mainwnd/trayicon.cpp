// The notification-area icon record.
#include "mainwnd/trayicon.h"

#include <cstddef>

// The first form ends at the 64-unit tip.
static_assert(NOTIFYICONDATAW_V1_SIZE == offsetof(NOTIFYICONDATAW, szTip) + 64 * sizeof(WCHAR),
              "the first form of the record ends at its 64-unit tip");
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAW_V1_SIZE == 152, "the 32-bit first form is 152 bytes");

NOTIFYICONDATAW MakeTrayIconRecord(HWND hWnd, HICON hIcon, LPCWSTR tip)
{
    NOTIFYICONDATAW record = {};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = hWnd;
    record.uID = TRAY_ID;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = TRAY_ID;
    record.hIcon = hIcon;
    ::lstrcpynW(record.szTip, tip, 64);
    // A character cut in half at the end would show as garbage: the tip ends before it.
    if (IS_HIGH_SURROGATE(record.szTip[62]))
        record.szTip[62] = L'\0';
    return record;
}
