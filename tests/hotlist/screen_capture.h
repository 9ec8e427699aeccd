// CScreenCapture: the screen's pixels in a rectangle, read back as the user sees them.
#pragma once

#include <functional>
#include <vector>
#include <windows.h>

class CScreenCapture {
public:
    // Flushes pending drawing and copies the screen rectangle (screen coordinates).
    explicit CScreenCapture(const RECT& screenRect);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixel at (x, y) relative to the captured rectangle's top-left corner.
    COLORREF At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    // Pixels of the color, or those matching a test.
    int Count(COLORREF color) const;
    int CountIf(const std::function<bool(int x, int y, COLORREF color)>& test) const;

private:
    int m_width;
    int m_height;
    std::vector<COLORREF> m_pixels;
};

// The screen rectangle of a window's client area.
RECT ClientOnScreen(HWND hWnd);
