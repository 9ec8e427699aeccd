// CHyperLink: its size from its text, its colours on screen and the clicks it reports, under real input.
#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/support/row_font.h"
#include "tests/hotlist/screen_capture.h"
#include "tests/hotlist/test_host.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <string>

using testing_support::PaintNow;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kPurple = RGB(200, 0, 225);
constexpr int kLinkId = 1234;
constexpr int kLeft = 20;
constexpr int kTop = 30;

// The text drawn at (1, 0) in the row font on the button face: what a row must look like.
class CReferenceRow {
public:
    CReferenceRow(int width, int height, LPCWSTR text, int length, COLORREF ink)
        : m_width(width), m_pixels(static_cast<size_t>(width) * height)
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        CMemDC memory;
        CBitmap bitmap;
        {
            CScreenDC screen(::GetDC(nullptr));
            memory.Reset(::CreateCompatibleDC(screen.Get()));
            bitmap.Attach(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        }
        const LOGFONTW logFont = RowFont();
        CFont font;
        font.CreateFontIndirect(&logFont);
        CSelectObject selectedBitmap(memory.Get(), bitmap);
        CSelectObject selectedFont(memory.Get(), font);
        RECT all = {0, 0, width, height};
        ::FillRect(memory.Get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
        ::SetBkMode(memory.Get(), TRANSPARENT);
        ::SetTextColor(memory.Get(), ink);
        ::TextOutW(memory.Get(), 1, 0, text, length);
        ::GdiFlush();
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        for (size_t i = 0; i < m_pixels.size(); ++i)
            m_pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    }
    COLORREF At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }

private:
    int m_width;
    std::vector<COLORREF> m_pixels;
};

class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override { ParkMouse(); }
    void TearDown() override
    {
        m_link.reset();
        ParkMouse();
        MouseLeftUp(kParkX, kParkY);
    }

    // A row configured as the row list box configures one, shown and painted once.
    CHyperLink& MakeLink(LPCWSTR text, LPCWSTR itemId = L"42", DWORD extraStyle = WS_VISIBLE)
    {
        m_link = std::make_unique<CHyperLink>();
        const CRect rect(kLeft, kTop, kLeft + 300, kTop + 36);
        m_link->Create(L"", WS_CHILD | SS_SIMPLE | extraStyle, rect, &m_host, kLinkId);
        m_link->SetText(text);
        m_link->SetOwnerWnd(m_host.m_hWnd);
        m_link->SetItemId(itemId);
        m_link->SetLinkFont(RowFont());
        m_link->Invalidate();
        PaintNow(m_host.m_hWnd);
        return *m_link;
    }

    CRect LinkOnScreen() const
    {
        CRect rect;
        m_link->GetWindowRect(&rect);
        return rect;
    }
    CRect LinkInHost() const
    {
        CRect rect = LinkOnScreen();
        m_host.ScreenToClient(&rect);
        return rect;
    }
    // A point on the row's text.
    POINT OnText() const
    {
        const CRect rect = LinkOnScreen();
        return POINT{rect.left + 4, rect.top + rect.Height() / 2};
    }

    // The row's ink on screen is of this colour, and of no other state's.
    bool ShowsInk(COLORREF ink) const
    {
        CScreenCapture shot(LinkOnScreen());
        const COLORREF states[] = {kBlue, kRed, kPurple, ::GetSysColor(COLOR_BTNSHADOW)};
        for (COLORREF other : states)
            if (other != ink && shot.Count(other) > 0)
                return false;
        return shot.Count(ink) > 0;
    }
    bool PumpUntilInk(COLORREF ink)
    {
        return PumpUntil([&] {
            PumpPending();
            return ShowsInk(ink);
        }, 3000);
    }
    // Differences between the row on screen and the text drawn at (1, 0) in the ink.
    int DifferencesFromText(LPCWSTR text, int length, COLORREF ink) const
    {
        const CRect rect = LinkOnScreen();
        CScreenCapture shot(rect);
        CReferenceRow reference(rect.Width(), rect.Height(), text, length, ink);
        return shot.CountIf([&](int x, int y, COLORREF pixel) { return pixel != reference.At(x, y); });
    }

    CTestHost m_host{100, 100, 500, 200};
    std::unique_ptr<CHyperLink> m_link;
};

TEST_F(HyperLinkTest, IsAStaticControlWithItsOwnClassName)
{
    CHyperLink& link = MakeLink(L"条目");
    EXPECT_TRUE(link.IsKindOf(RUNTIME_CLASS(CStatic)));
    EXPECT_STREQ(link.GetRuntimeClass()->m_lpszClassName, "CHyperLink");
    // The notify style is what lets the static control take mouse input.
    EXPECT_EQ(link.GetStyle() & (SS_TYPEMASK | SS_NOTIFY), static_cast<DWORD>(SS_OWNERDRAW | SS_NOTIFY));
}

TEST_F(HyperLinkTest, SizesItselfToItsTextAndDrawsItAtOneZero)
{
    // Characters no one code page holds together, two of them surrogate pairs: each drawn itself.
    const wchar_t* text = L"Mirelo 热度链接 😀 Zoë ß 𠮷";
    MakeLink(text);
    const CSize size = RowSizeOf(text, static_cast<int>(std::wcslen(text)));
    const CRect rect = LinkInHost();
    EXPECT_EQ(rect.left, kLeft);
    EXPECT_EQ(rect.top, kTop);
    EXPECT_EQ(rect.Width(), size.cx);
    EXPECT_EQ(rect.Height(), size.cy);
    EXPECT_EQ(DifferencesFromText(text, static_cast<int>(std::wcslen(text)), kBlue), 0);
}

TEST_F(HyperLinkTest, EmptyTextDrawsNothingAndHasNoLineToShow)
{
    MakeLink(L"");
    // Two pixels higher than the measured empty text, one less than a line would add.
    const CRect rect = LinkInHost();
    EXPECT_EQ(rect.Width(), 6);
    EXPECT_EQ(rect.Height(), MeasureInRowFont(L"", 0).cy + 2);
    CScreenCapture shot(LinkOnScreen());
    EXPECT_EQ(shot.Count(::GetSysColor(COLOR_BTNFACE)), rect.Width() * rect.Height());
}

TEST_F(HyperLinkTest, TrailingLineFeedsCountInTheWidthButAreNotDrawn)
{
    const wchar_t* text = L"abc\n\n";
    MakeLink(text);
    EXPECT_EQ(LinkInHost().Width(), RowSizeOf(text, 5).cx);
    EXPECT_EQ(DifferencesFromText(L"abc", 3, kBlue), 0);
}

TEST_F(HyperLinkTest, LineFeedsInsideAreDrawnOnTheOneLine)
{
    const wchar_t* text = L"ab\ncd";
    MakeLink(text);
    EXPECT_EQ(LinkInHost().Height(), RowSizeOf(text, 5).cy);
    EXPECT_EQ(DifferencesFromText(text, 5, kBlue), 0);
}

TEST_F(HyperLinkTest, BlueAtRestRedWhenHoveredPurpleWhenPressed)
{
    MakeLink(L"颜色状态");
    EXPECT_TRUE(ShowsInk(kBlue));

    const POINT point = OnText();
    ASSERT_TRUE(MouseMoveTo(point.x, point.y));
    EXPECT_TRUE(PumpUntilInk(kRed));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    MouseLeftDown(point.x, point.y);
    EXPECT_TRUE(PumpUntilInk(kPurple));
    MouseLeftUp(point.x, point.y);
    EXPECT_TRUE(PumpUntilInk(kRed));

    ParkMouse();
    EXPECT_TRUE(PumpUntilInk(kBlue));
}

TEST_F(HyperLinkTest, PressAndReleaseOnTheFarEdgesReportsOneClick)
{
    CHyperLink& link = MakeLink(L"点击");
    const POINT point = OnText();
    ASSERT_TRUE(MouseMoveTo(point.x, point.y));
    MouseLeftDown(point.x, point.y);
    ASSERT_TRUE(PumpUntilInk(kPurple));
    // The rectangle taken at the press counts its right and bottom edges as inside.
    const CRect pressed = LinkOnScreen();
    ASSERT_TRUE(MouseMoveTo(pressed.right, pressed.bottom));
    MouseLeftUp(pressed.right, pressed.bottom);

    ASSERT_TRUE(PumpUntil([&] { return m_host.m_itemClicks.size() == 1; }));
    EXPECT_EQ(m_host.m_itemClicks[0].wParam, 0u);
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, 42);
    ASSERT_EQ(m_host.m_commands.size(), 1u);
    EXPECT_EQ(m_host.m_commands[0].wParam, static_cast<WPARAM>(kLinkId));
    EXPECT_EQ(m_host.m_commands[0].lParam, reinterpret_cast<LPARAM>(link.m_hWnd));
    PumpPending();
    EXPECT_EQ(m_host.m_itemClicks.size(), 1u);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(HyperLinkTest, ReleaseOutsideReportsNothingAndTurnsBackBlue)
{
    MakeLink(L"移开");
    const POINT point = OnText();
    ASSERT_TRUE(MouseMoveTo(point.x, point.y));
    MouseLeftDown(point.x, point.y);
    ASSERT_TRUE(PumpUntilInk(kPurple));
    const CRect pressed = LinkOnScreen();
    ASSERT_TRUE(MouseMoveTo(pressed.right + 1, pressed.bottom));
    MouseLeftUp(pressed.right + 1, pressed.bottom);

    EXPECT_TRUE(PumpUntilInk(kBlue));
    PumpPending();
    EXPECT_TRUE(m_host.m_itemClicks.empty());
    EXPECT_TRUE(m_host.m_commands.empty());
}

TEST_F(HyperLinkTest, ADoubleClickReportsTwoClicks)
{
    CHyperLink& link = MakeLink(L"双击");
    // The second press comes as a double click only to a class that asks for them.
    ASSERT_NE(::GetClassLongW(link.m_hWnd, GCL_STYLE) & CS_DBLCLKS, 0u);
    const POINT point = OnText();
    ASSERT_TRUE(ClickAt(point.x, point.y));
    MouseLeftDown(point.x, point.y);
    MouseLeftUp(point.x, point.y);

    ASSERT_TRUE(PumpUntil([&] { return m_host.m_itemClicks.size() == 2; }));
    EXPECT_EQ(m_host.m_itemClicks[1].lParam, 42);
    PumpPending();
    EXPECT_EQ(m_host.m_itemClicks.size(), 2u);
}

TEST_F(HyperLinkTest, ADisabledRowIsGreyKeepsTheCursorAndReportsNothing)
{
    CHyperLink& link = MakeLink(L"禁用", L"42", WS_VISIBLE | WS_DISABLED);
    EXPECT_TRUE(ShowsInk(::GetSysColor(COLOR_BTNSHADOW)));

    const POINT point = OnText();
    ASSERT_TRUE(ClickAt(point.x, point.y));
    const HCURSOR arrow = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    ::SetCursor(arrow);
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(::GetCursor(), arrow);
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    PumpPending();
    EXPECT_TRUE(m_host.m_itemClicks.empty());
    EXPECT_TRUE(m_host.m_commands.empty());

    // Enabled again, it is a link like any other.
    link.EnableWindow(TRUE);
    link.Invalidate();
    EXPECT_TRUE(PumpUntilInk(kRed));  // the cursor is still over it
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_TRUE(PumpUntil([&] { return m_host.m_itemClicks.size() == 1; }));
}

TEST_F(HyperLinkTest, DisablingLaterTurnsTheRowGreyAtItsNextPaint)
{
    CHyperLink& link = MakeLink(L"稍后禁用");
    link.EnableWindow(FALSE);
    link.Invalidate();
    EXPECT_TRUE(PumpUntilInk(::GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(HyperLinkTest, ALeaveReportedOverTheRowIsCheckedAgainLater)
{
    CHyperLink& link = MakeLink(L"悬停复查");
    const POINT point = OnText();
    ASSERT_TRUE(MouseMoveTo(point.x, point.y));
    ASSERT_TRUE(PumpUntilInk(kRed));
    // Reported while the cursor is still over it: nothing changes yet.
    link.SendMessage(WM_MOUSELEAVE);
    PumpPending();
    EXPECT_TRUE(ShowsInk(kRed));
    // Leaving for good afterwards brings no second report; the later check repaints the row.
    ASSERT_TRUE(MouseMoveTo(kParkX, kParkY));
    EXPECT_TRUE(PumpUntilInk(kBlue));
}

TEST_F(HyperLinkTest, TheClickCarriesTheIdTextReadAsANumber)
{
    CHyperLink& link = MakeLink(L"编号", L" -7x");
    EXPECT_EQ(link.NotifyOwner(), 0);
    ASSERT_TRUE(PumpUntil([&] { return m_host.m_itemClicks.size() == 1; }));
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, -7);

    // Without an id a click is reported to the parent only.
    link.SetItemId(nullptr);
    EXPECT_EQ(link.NotifyOwner(), -1);
    const POINT point = OnText();
    ASSERT_TRUE(ClickAt(point.x, point.y));
    ASSERT_TRUE(PumpUntil([&] { return m_host.m_commands.size() == 1; }));
    PumpPending();
    EXPECT_EQ(m_host.m_itemClicks.size(), 1u);
}

}  // namespace
