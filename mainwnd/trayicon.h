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

class CWnd;

// CTrayIcon: the main window's notification-area icon from start-up to teardown, put back when
// the shell re-creates the notification area, and its menu.
class CTrayIcon {
public:
    CTrayIcon();
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds (NIM_ADD) or removes (NIM_DELETE) the icon of hWnd; the shell's result.
    static BOOL Notify(HWND hWnd, DWORD action);
    // Adds the icon, and keeps it until Remove.
    void Add(HWND hWnd);
    void Remove();
    // A message the main window received: when it is the shell's news of a new notification
    // area, the icon goes into it again.
    void OnWindowMessage(UINT message);
    // The tray menu at the cursor, its command sent to owner.
    static void OpenMenu(CWnd& owner);

private:
    // The shell broadcasts this when it has re-created the notification area.
    UINT m_uTaskbarCreated;
    HWND m_hWnd = nullptr;  // while the icon is wanted
};
