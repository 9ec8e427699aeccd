// CBufferDC: the off-screen surface of one paint.
#include "hotlist/bufferdc.h"

IMPLEMENT_DYNAMIC(CBufferDC, CPaintDC)

CBufferDC::CBufferDC(CWnd* pWnd) : CPaintDC(pWnd)
{
    if (pWnd && m_hDC) {
        m_hOrigDC = m_hDC;
        m_hOrigAttribDC = m_hAttribDC;
        pWnd->GetClientRect(&m_rect);
        m_memDC.Reset(::CreateCompatibleDC(m_hOrigDC));
        m_bitmap.CreateCompatibleBitmap(m_hOrigDC, m_rect.Width(), m_rect.Height());
        m_hOldBitmap = ::SelectObject(m_memDC.Get(), m_bitmap);
        m_hDC = m_hAttribDC = m_memDC.Get();
    }
    m_bBitmapReplaced = FALSE;
}

CBufferDC::~CBufferDC()
{
    if (!m_hOrigDC)
        return;  // nothing was redirected: the base only ends the paint
    Flush();
    if (m_memDC)
        ::SelectObject(m_memDC.Get(), m_hOldBitmap);
    m_hDC = m_hOrigDC;
    m_hAttribDC = m_hOrigAttribDC;
}

UINT CBufferDC::SetBoundsRect(LPCRECT rect, UINT flags)
{
    CRect target;
    // Without a surface there is no bitmap to grow: the call only goes on to the context.
    if (rect && m_memDC) {
        const CRect wanted(*rect);
        // Taken whole from one of the two, so the bitmap never shrinks in either direction.
        target = (m_rect.Width() > wanted.Width() || m_rect.Height() > wanted.Height()) ? m_rect : wanted;
        CBitmap grown;
        grown.CreateCompatibleBitmap(m_hOrigDC, target.Width(), target.Height());
        {
            CMemDC scratch(::CreateCompatibleDC(m_hOrigDC));
            CSelectObject selected(scratch.Get(), grown);
            ::BitBlt(scratch.Get(), m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_memDC.Get(),
                     0, 0, SRCCOPY);
        }
        HGDIOBJ hReplaced = ::SelectObject(m_memDC.Get(), grown);
        // Whatever a restore put back in place of the current bitmap is one of ours as well.
        if (hReplaced && hReplaced != m_bitmap.GetSafeHandle())
            CBitmap().Attach(static_cast<HBITMAP>(hReplaced));
        m_bitmap.DeleteObject();
        m_bitmap.Attach(grown.Detach());
        m_rect = target;
        m_bBitmapReplaced = TRUE;
    } else if (rect) {
        target = *rect;
    }
    return ::SetBoundsRect(m_hDC, rect ? static_cast<LPCRECT>(target) : nullptr, flags);
}

BOOL CBufferDC::RestoreDC(int nSavedDC)
{
    BOOL restored = CPaintDC::RestoreDC(nSavedDC);
    if (m_bBitmapReplaced && m_bitmap.GetSafeHandle())
        ::SelectObject(m_hDC, m_bitmap);
    return restored;
}

void CBufferDC::Flush()
{
    ::BitBlt(m_hOrigDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_memDC.Get(), 0, 0,
             SRCCOPY);
}
