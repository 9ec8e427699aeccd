// The notification-area icon record.
#include "mainwnd/trayicon.h"

#include "framework/afxwin.h"
#include "framework/dpi.h"
#include "mainwnd/product.h"
#include "res/resource.h"

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

CTrayIcon::CTrayIcon() : m_uTaskbarCreated(::RegisterWindowMessageW(L"TaskbarCreated")) {}

CTrayIcon::~CTrayIcon()
{
    Remove();
}

BOOL CTrayIcon::Notify(HWND hWnd, DWORD action)
{
    // The notification area shows small icons: 16 pixels at 96 DPI, 24 at 144.
    HICON hTrayIcon = LoadIconAtSize(AfxGetInstanceHandle(), IDI_TRAY, ::GetSystemMetrics(SM_CXSMICON));
    NOTIFYICONDATAW record = MakeTrayIconRecord(hWnd, hTrayIcon, kProductName);
    return ::Shell_NotifyIconW(action, &record);
}

void CTrayIcon::Add(HWND hWnd)
{
    m_hWnd = hWnd;
    Notify(hWnd, NIM_ADD);
}

void CTrayIcon::Remove()
{
    if (!m_hWnd)
        return;
    Notify(m_hWnd, NIM_DELETE);
    m_hWnd = nullptr;
}

void CTrayIcon::OnWindowMessage(UINT message)
{
    // The new notification area starts without our icon.
    if (m_uTaskbarCreated != 0 && message == m_uTaskbarCreated && m_hWnd)
        Notify(m_hWnd, NIM_ADD);
}

void CTrayIcon::OpenMenu(CWnd& main)
{
    CMenu menu;
    if (!menu.Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MENU))))
        return;
    CMenuHandle popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    CWnd* owner = &main;
    while ((owner->GetStyle() & WS_CHILD) && owner->GetParent())
        owner = owner->GetParent();
    // A notification-icon menu takes keys and closes on a click elsewhere only when its owner is
    // the foreground window; the null message afterwards lets the menu finish closing.
    owner->SetForegroundWindow();
    popup.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_LEFTALIGN, cursor.x, cursor.y, owner);
    owner->PostMessage(WM_NULL);
    menu.DestroyMenu();
}
