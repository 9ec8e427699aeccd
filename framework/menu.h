// CMenu: owns a loaded menu and destroys it; sub-menus come back as borrowed wrappers.
#pragma once

#include "framework/object.h"

#include <windows.h>

class CWnd;

class CMenu : public CObject {
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }

    // A borrowed wrapper for a handle (never destroys it), freed with DeleteTempMap.
    static CMenu* FromHandle(HMENU hMenu);
    static void DeleteTempMap();

    BOOL LoadMenu(UINT nIDResource);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL DestroyMenu();
    CMenu* GetSubMenu(int position) const;
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* pOwner, LPCRECT exclude = nullptr) const;

private:
    bool m_bBorrowed = false;
};
