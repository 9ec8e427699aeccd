// CSearchBox: following the input method's composition.
#include "mainwnd/searchbox.h"

CString CSearchBox::Text() const
{
    CString text;
    GetWindowText(text);
    return text;
}

LRESULT CSearchBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_IME_STARTCOMPOSITION:
        m_composing = true;
        break;
    case WM_IME_ENDCOMPOSITION:
        m_composing = false;
        if (HWND parent = ::GetParent(m_hWnd))
            ::PostMessageW(parent, WM_SEARCH_COMPOSED, 0, 0);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
