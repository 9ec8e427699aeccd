// CBufferDC: drawing goes to the bitmap, which grows but never shrinks, and reaches the window in one copy.
#include "hotlist/bufferdc.h"
#include "tests/hotlist/screen_capture.h"
#include "tests/hotlist/test_host.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Opens the surface's inside to the checks.
class CBufferDCProbe : public CBufferDC {
public:
    using CBufferDC::CBufferDC;
    HBITMAP Bitmap() const { return m_bitmap; }
    CRect Area() const { return m_rect; }
    // The size of the bitmap the drawing currently goes to.
    SIZE SelectedBitmapSize() const
    {
        BITMAP info = {};
        ::GetObjectW(::GetCurrentObject(m_hDC, OBJ_BITMAP), sizeof(info), &info);
        return SIZE{info.bmWidth, info.bmHeight};
    }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    // The final copy, made into another context so that all of it can be seen.
    void FlushInto(HDC hTarget)
    {
        HDC hWindow = m_hOrigDC;
        m_hOrigDC = hTarget;
        Flush();
        m_hOrigDC = hWindow;
    }
};

void Fill(CDC& dc, const RECT& rect, COLORREF color)
{
    CBrush brush(color);
    dc.FillRect(&rect, brush);
}

// A white 32-bit bitmap in a memory context, as a target for the final copy.
class CWhiteTarget {
public:
    CWhiteTarget(int width, int height) : m_dc(ScreenCompatibleDC()), m_selected(m_dc.Get(), Bitmap(width, height))
    {
        RECT all = {0, 0, width, height};
        ::FillRect(m_dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    operator HDC() const { return m_dc.Get(); }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc.Get(), x, y); }

private:
    static HDC ScreenCompatibleDC()
    {
        CScreenDC screen(::GetDC(nullptr));
        return ::CreateCompatibleDC(screen.Get());
    }
    HBITMAP Bitmap(int width, int height)
    {
        CScreenDC screen(::GetDC(nullptr));
        m_bitmap.CreateCompatibleBitmap(screen.Get(), width, height);
        return m_bitmap;
    }

    CMemDC m_dc;
    CBitmap m_bitmap;  // deleted after the selection below has put the previous one back
    CSelectObject m_selected;
};

class BufferDCTest : public ::testing::Test {
protected:
    // Paints the 300 x 30 host window once with the given drawing.
    void PaintWith(const std::function<void(CBufferDCProbe&)>& draw)
    {
        bool painted = false;
        m_host.m_onPaint = [&](CWnd* wnd) {
            CBufferDCProbe dc(wnd);
            draw(dc);
            painted = true;
        };
        testing_support::PaintNow(m_host.m_hWnd);
        m_host.m_onPaint = nullptr;
        ASSERT_TRUE(painted);
    }

    CTestHost m_host{200, 200, 300, 30};
};

TEST_F(BufferDCTest, DrawingReachesTheWindowWhenTheSurfaceCloses)
{
    PaintWith([](CBufferDCProbe& dc) {
        EXPECT_TRUE(dc.IsKindOf(RUNTIME_CLASS(CPaintDC)));
        EXPECT_STREQ(dc.GetRuntimeClass()->m_lpszClassName, "CBufferDC");
        // Both handles are the bitmap's while the surface lives.
        EXPECT_EQ(dc.m_hDC, dc.m_hAttribDC);
        EXPECT_EQ(::GetObjectType(dc.m_hDC), static_cast<DWORD>(OBJ_MEMDC));
        Fill(dc, CRect(0, 0, 300, 30), kRed);
        Fill(dc, CRect(150, 0, 300, 30), kGreen);
    });
    CScreenCapture shot(ClientOnScreen(m_host.m_hWnd));
    EXPECT_EQ(shot.Count(kRed), 150 * 30);
    EXPECT_EQ(shot.Count(kGreen), 150 * 30);
}

TEST_F(BufferDCTest, GrowsKeepingThePictureAndCopiesAllOfIt)
{
    PaintWith([](CBufferDCProbe& dc) {
        EXPECT_EQ(dc.SelectedBitmapSize().cx, 300);
        EXPECT_EQ(dc.SelectedBitmapSize().cy, 30);
        Fill(dc, CRect(0, 0, 300, 30), kRed);

        const CRect grown(0, 0, 320, 40);
        dc.SetBoundsRect(&grown, DCB_DISABLE);
        EXPECT_EQ(dc.SelectedBitmapSize().cx, 320);
        EXPECT_EQ(dc.SelectedBitmapSize().cy, 40);
        EXPECT_EQ(dc.Area().Width(), 320);
        EXPECT_EQ(dc.Area().Height(), 40);
        EXPECT_EQ(dc.Pixel(0, 0), kRed);
        EXPECT_EQ(dc.Pixel(299, 29), kRed);

        Fill(dc, CRect(300, 0, 320, 40), kGreen);
        Fill(dc, CRect(0, 30, 300, 40), kGreen);
        CWhiteTarget target(400, 100);
        dc.FlushInto(target);
        EXPECT_EQ(target.Pixel(299, 29), kRed);
        EXPECT_EQ(target.Pixel(319, 39), kGreen);
        EXPECT_EQ(target.Pixel(320, 39), kWhite);
        EXPECT_EQ(target.Pixel(319, 40), kWhite);
    });
}

TEST_F(BufferDCTest, NeverShrinksInEitherDirection)
{
    PaintWith([](CBufferDCProbe& dc) {
        Fill(dc, CRect(0, 0, 300, 30), kRed);
        // Wider but lower: growing the width would shrink the height, so the bitmap keeps its size.
        const CRect wideLow(0, 0, 500, 20);
        dc.SetBoundsRect(&wideLow, DCB_DISABLE);
        EXPECT_EQ(dc.SelectedBitmapSize().cx, 300);
        EXPECT_EQ(dc.SelectedBitmapSize().cy, 30);
        EXPECT_EQ(dc.Pixel(299, 29), kRed);

        const CRect smaller(0, 0, 100, 10);
        dc.SetBoundsRect(&smaller, DCB_DISABLE);
        EXPECT_EQ(dc.SelectedBitmapSize().cx, 300);
        EXPECT_EQ(dc.SelectedBitmapSize().cy, 30);
        EXPECT_EQ(dc.Pixel(299, 29), kRed);
    });
}

TEST_F(BufferDCTest, RestoringAStateSavedBeforeGrowingKeepsTheGrownBitmap)
{
    PaintWith([](CBufferDCProbe& dc) {
        Fill(dc, CRect(0, 0, 300, 30), kRed);
        dc.SetTextColor(kGreen);
        const int saved = dc.SaveDC();
        dc.SetTextColor(kRed);
        const CRect grown(0, 0, 320, 40);
        dc.SetBoundsRect(&grown, DCB_DISABLE);
        EXPECT_TRUE(dc.RestoreDC(saved));
        EXPECT_EQ(::GetTextColor(dc.m_hDC), kGreen);
        EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_BITMAP), dc.Bitmap());
        EXPECT_EQ(dc.SelectedBitmapSize().cx, 320);
        EXPECT_EQ(dc.SelectedBitmapSize().cy, 40);
        EXPECT_EQ(dc.Pixel(299, 29), kRed);
    });
}

TEST_F(BufferDCTest, ANullRectangleOnlyReachesThePlatform)
{
    PaintWith([](CBufferDCProbe& dc) {
        const HBITMAP before = dc.Bitmap();
        dc.SetBoundsRect(nullptr, DCB_ENABLE);
        // The platform saw the first call: the second reports bounds as enabled.
        EXPECT_NE(dc.SetBoundsRect(nullptr, DCB_DISABLE) & DCB_ENABLE, 0u);
        EXPECT_EQ(dc.Bitmap(), before);
        EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_BITMAP), before);
        EXPECT_EQ(dc.SelectedBitmapSize().cx, 300);
    });
}

}  // namespace
