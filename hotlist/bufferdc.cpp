// CBufferDC: the off-screen surface of one paint.
#include "hotlist/bufferdc.h"

namespace {

// A memory context that lives for one copy.
class CScratchDC {
public:
    explicit CScratchDC(HDC hCompatible) : m_hDC(::CreateCompatibleDC(hCompatible)) {}
    ~CScratchDC()
    {
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
    CScratchDC(const CScratchDC&) = delete;
    CScratchDC& operator=(const CScratchDC&) = delete;
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

}  // namespace

IMPLEMENT_DYNAMIC(CBufferDC, CPaintDC)

CBufferDC::CBufferDC(CWnd* pWnd) : CPaintDC(pWnd)
{
    if (pWnd && m_hDC) {
        m_hOrigDC = m_hDC;
        m_hOrigAttribDC = m_hAttribDC;
        pWnd->GetClientRect(&m_rect);
        m_hMemDC = ::CreateCompatibleDC(m_hOrigDC);
        m_hBitmap = ::CreateCompatibleBitmap(m_hOrigDC, m_rect.Width(), m_rect.Height());
        m_hOldBitmap = ::SelectObject(m_hMemDC, m_hBitmap);
        m_hDC = m_hAttribDC = m_hMemDC;
    }
    m_bBitmapReplaced = FALSE;
}

CBufferDC::~CBufferDC()
{
    if (!m_hOrigDC)
        return;  // nothing was redirected: the base only ends the paint
    Flush();
    if (m_hMemDC)
        ::SelectObject(m_hMemDC, m_hOldBitmap);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hDC = m_hOrigDC;
    m_hAttribDC = m_hOrigAttribDC;
    if (m_hMemDC)
        ::DeleteDC(m_hMemDC);
}

UINT CBufferDC::SetBoundsRect(LPCRECT rect, UINT flags)
{
    CRect target;
    // Without a surface there is no bitmap to grow: the call only goes on to the context.
    if (rect && m_hMemDC) {
        const CRect wanted(*rect);
        // Taken whole from one of the two, so the bitmap never shrinks in either direction.
        target = (m_rect.Width() > wanted.Width() || m_rect.Height() > wanted.Height()) ? m_rect : wanted;
        HBITMAP hGrown = ::CreateCompatibleBitmap(m_hOrigDC, target.Width(), target.Height());
        {
            CScratchDC scratch(m_hOrigDC);
            CSelectObject selected(scratch, hGrown);
            ::BitBlt(scratch, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hMemDC, 0, 0,
                     SRCCOPY);
        }
        HGDIOBJ hReplaced = ::SelectObject(m_hMemDC, hGrown);
        if (hReplaced && hReplaced != m_hBitmap)
            ::DeleteObject(hReplaced);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        m_hBitmap = hGrown;
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
    if (m_bBitmapReplaced && m_hBitmap)
        ::SelectObject(m_hDC, m_hBitmap);
    return restored;
}

void CBufferDC::Flush()
{
    ::BitBlt(m_hOrigDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hMemDC, 0, 0, SRCCOPY);
}
