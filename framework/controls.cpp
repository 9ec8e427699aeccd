// CStatic creation.
#include "framework/controls.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CStatic::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", text, style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!hWnd)
        return FALSE;
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}
