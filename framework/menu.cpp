// CMenu and CMenuHandle.
#include "framework/menu.h"

#include "framework/winapp.h"

BOOL CMenuHandle::TrackPopupMenu(UINT flags, int x, int y, CWnd* pOwner, LPCRECT exclude) const
{
    (void)exclude;  // ignored by the system since Windows 95
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, pOwner ? pOwner->m_hWnd : nullptr, nullptr);
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)));
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_menu)
        return FALSE;
    m_menu.Reset(hMenu);
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_menu)
        return FALSE;
    return ::DestroyMenu(Detach());
}
