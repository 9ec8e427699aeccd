// CRedrawPause: keeps a window (a list being filled) from repainting, and repaints it once after.
#pragma once

#include "framework/wnd.h"

class CRedrawPause {
public:
    explicit CRedrawPause(CWnd& wnd) : m_wnd(wnd) { m_wnd.SetRedraw(FALSE); }
    ~CRedrawPause()
    {
        m_wnd.SetRedraw(TRUE);
        m_wnd.Invalidate();
    }
    CRedrawPause(const CRedrawPause&) = delete;
    CRedrawPause& operator=(const CRedrawPause&) = delete;

private:
    CWnd& m_wnd;
};
