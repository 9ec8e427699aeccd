// CMenu.
#include "framework/menu.h"

#include "framework/winapp.h"

#include <map>
#include <memory>

namespace {

std::map<HMENU, std::unique_ptr<CMenu>>& TemporaryMenus()
{
    static std::map<HMENU, std::unique_ptr<CMenu>> map;
    return map;
}

}  // namespace

CMenu::~CMenu()
{
    if (!m_bBorrowed)
        DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    auto& temporaries = TemporaryMenus();
    auto found = temporaries.find(hMenu);
    if (found != temporaries.end())
        return found->second.get();
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = hMenu;
    wrapper->m_bBorrowed = true;
    CMenu* result = wrapper.get();
    temporaries.emplace(hMenu, std::move(wrapper));
    return result;
}

void CMenu::DeleteTempMap()
{
    TemporaryMenus().clear();
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    m_bBorrowed = false;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

CMenu* CMenu::GetSubMenu(int position) const
{
    return FromHandle(::GetSubMenu(m_hMenu, position));
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* pOwner, LPCRECT exclude) const
{
    (void)exclude;  // ignored by the system since Windows 95
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, pOwner ? pOwner->m_hWnd : nullptr, nullptr);
}
