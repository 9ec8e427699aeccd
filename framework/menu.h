// CMenu owns a loaded menu and destroys it; CMenuHandle borrows one (a sub-menu) and never does.
#pragma once

#include "base/unique_handle.h"
#include "framework/object.h"

#include <windows.h>

class CWnd;

// The operations on a menu; the handle is borrowed.
class CMenuHandle {
public:
    CMenuHandle(HMENU hMenu = nullptr) : m_hMenu(hMenu) {}

    HMENU m_hMenu;
    operator HMENU() const { return m_hMenu; }

    CMenuHandle GetSubMenu(int position) const { return CMenuHandle(::GetSubMenu(m_hMenu, position)); }
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* pOwner, LPCRECT exclude = nullptr) const;
};

struct CMenuTraits : CNullHandleTraits<HMENU> {
    static void Close(HMENU hMenu) noexcept { ::DestroyMenu(hMenu); }
};

class CMenu : public CObject {
public:
    operator HMENU() const { return m_menu.Get(); }

    BOOL LoadMenu(UINT nIDResource);
    // Takes ownership of hMenu; FALSE when it is null or a menu is already held.
    BOOL Attach(HMENU hMenu);
    HMENU Detach() { return m_menu.Release(); }
    BOOL DestroyMenu();
    CMenuHandle GetSubMenu(int position) const { return CMenuHandle(*this).GetSubMenu(position); }
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* pOwner, LPCRECT exclude = nullptr) const
    {
        return CMenuHandle(*this).TrackPopupMenu(flags, x, y, pOwner, exclude);
    }

private:
    CUniqueHandle<CMenuTraits> m_menu;
};
