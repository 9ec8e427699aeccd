// CStatic and CListBox: thin wrappers over the system's static and list box controls.
#pragma once

#include "framework/wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    // Creates the control and binds it to this object (PreSubclassWindow runs before it is shown).
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, index)); }
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, index)); }
    int GetItemRect(int index, LPRECT rect) const
    { return static_cast<int>(SendMessage(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect))); }
    void* GetItemDataPtr(int index) const
    { return reinterpret_cast<void*>(SendMessage(LB_GETITEMDATA, index)); }
};
