// CBufferDC: paints a window through an off-screen bitmap and shows the picture in one copy.
#pragma once

#include "framework/afxwin.h"

// While it lives, every drawing and measuring call made through it goes to the bitmap; its
// destruction copies the picture to the window and ends the paint. The bitmap may grow during
// the paint (the row resizes itself mid-paint) but never shrinks.
class CBufferDC : public CPaintDC {
    DECLARE_DYNAMIC(CBufferDC)
public:
    explicit CBufferDC(CWnd* pWnd);
    ~CBufferDC() override;

    // Grows the bitmap to rect (keeping the picture) unless that would shrink it either way,
    // then passes the call on to the window's own context.
    UINT SetBoundsRect(LPCRECT rect, UINT flags);
    // A restored state may name a bitmap SetBoundsRect has since deleted: the current one is
    // selected again.
    BOOL RestoreDC(int nSavedDC) override;
    // Copies the picture to the window.
    void Flush();

protected:
    HDC m_hOrigDC = nullptr;  // the paint's own, borrowed
    HDC m_hOrigAttribDC = nullptr;
    CMemDC m_memDC;
    CBitmap m_bitmap;  // declared after the DC: deleted first, once the destructor deselected it
    HGDIOBJ m_hOldBitmap = nullptr;
    CRect m_rect;
    BOOL m_bBitmapReplaced = FALSE;
};
