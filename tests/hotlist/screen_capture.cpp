// CScreenCapture: BitBlt from the screen into a 32-bit DIB.
#include "tests/hotlist/screen_capture.h"

#include "framework/dc.h"
#include "framework/gdiobj.h"

CScreenCapture::CScreenCapture(const RECT& screenRect)
    : m_width(screenRect.right - screenRect.left), m_height(screenRect.bottom - screenRect.top),
      m_pixels(static_cast<size_t>(m_width > 0 ? m_width : 0) * (m_height > 0 ? m_height : 0))
{
    if (m_pixels.empty())
        return;
    ::GdiFlush();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CScreenDC screen(::GetDC(nullptr));
    CMemDC memory(::CreateCompatibleDC(screen.Get()));
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CSelectObject selected(memory.Get(), bitmap);
    ::BitBlt(memory.Get(), 0, 0, m_width, m_height, screen.Get(), screenRect.left, screenRect.top, SRCCOPY);
    ::GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (size_t i = 0; i < m_pixels.size(); ++i)
        m_pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
}

int CScreenCapture::Count(COLORREF color) const
{
    return CountIf([color](int, int, COLORREF pixel) { return pixel == color; });
}

int CScreenCapture::CountIf(const std::function<bool(int x, int y, COLORREF color)>& test) const
{
    int count = 0;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (test(x, y, At(x, y)))
                ++count;
    return count;
}

RECT ClientOnScreen(HWND hWnd)
{
    RECT rect;
    ::GetClientRect(hWnd, &rect);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}
