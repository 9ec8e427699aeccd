// CListRedrawPause: keeps a list from repainting while it is filled, and repaints it once after.
#pragma once

#include "framework/listctrl.h"

class CListRedrawPause {
public:
    explicit CListRedrawPause(CListCtrl& list) : m_list(list) { m_list.SetRedraw(FALSE); }
    ~CListRedrawPause()
    {
        m_list.SetRedraw(TRUE);
        m_list.Invalidate();
    }
    CListRedrawPause(const CListRedrawPause&) = delete;
    CListRedrawPause& operator=(const CListRedrawPause&) = delete;

private:
    CListCtrl& m_list;
};
