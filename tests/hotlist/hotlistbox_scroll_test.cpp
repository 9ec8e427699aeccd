// CHotListBox with several hundred rows: after every kind of scroll each visible entry has its own row.
#include "hotlist/hotlistbox.h"
#include "hotlist/hyperlink.h"
#include "tests/hotlist/list_fixture.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/support/row_font.h"
#include "tests/support/pump.h"

#include <algorithm>

namespace {

constexpr int kRows = 400;
constexpr int kFirstId = 1000;
static_assert(kRows > static_cast<int>(CHotListBox::kMaxLiveRows), "the list outgrows its live rows");

class HotListScrollTest : public HotListFixture {
protected:
    void SetUp() override
    {
        HotListFixture::SetUp();
        MakeList(600);
        // Long and short texts by turns, so that a row left behind would show beside a short one.
        for (int i = 0; i < kRows; ++i) {
            CString text = CString(L"第") + std::to_wstring(i) + L"条";
            if (i % 2)
                text += L"：一段较长的说明文字，一直写到列表的右边";
            m_list.AddRow(text, kFirstId + i);
        }
        Repaint();
        // The first key only selects the entry that has the focus, as for a user.
        SendKey(VK_HOME);
        Repaint();
    }

    // Scrolls, lets everything paint, and checks the rows and the bare list.
    void ScrollAndCheck(const char* how, const std::function<void()>& scroll)
    {
        SCOPED_TRACE(how);
        const int before = m_list.GetTopIndex();
        scroll();
        Repaint();
        EXPECT_NE(m_list.GetTopIndex(), before) << "did not scroll";
        const std::vector<std::string> faults = RowsNotFollowingEntries();
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults.front();
        EXPECT_EQ(UncleanPixels(), 0);
    }
    void SendScroll(WORD code, WORD position = 0)
    {
        m_list.SendMessage(WM_VSCROLL, MAKEWPARAM(code, position));
    }
    void SendKey(UINT key)
    {
        m_list.SendMessage(WM_KEYDOWN, key, 1);
        m_list.SendMessage(WM_KEYUP, key, 0xC0000001);
    }
    void SendWheel(int notches)
    {
        CRect rect;
        m_list.GetWindowRect(&rect);
        m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -notches * WHEEL_DELTA),
                           MAKELPARAM(rect.left + 100, rect.top + 100));
    }
};

TEST_F(HotListScrollTest, EveryScrollKeepsEachVisibleRowOverItsOwnEntry)
{
    ScrollAndCheck("wheel down", [&] { SendWheel(1); });
    ScrollAndCheck("line down", [&] { SendScroll(SB_LINEDOWN); });
    ScrollAndCheck("page down", [&] { SendScroll(SB_PAGEDOWN); });
    ScrollAndCheck("thumb", [&] { SendScroll(SB_THUMBPOSITION, 200); });
    ScrollAndCheck("wheel up", [&] { SendWheel(-2); });
    ScrollAndCheck("top index", [&] { m_list.SetTopIndex(250); });
    ScrollAndCheck("key end", [&] { SendKey(VK_END); });
    ScrollAndCheck("key page up", [&] {
        SendKey(VK_PRIOR);  // the caret goes to the top of the page first
        SendKey(VK_PRIOR);
    });
    ScrollAndCheck("key home", [&] { SendKey(VK_HOME); });
    ScrollAndCheck("key down past the page", [&] {
        for (int i = 0; i < 20; ++i)
            SendKey(VK_DOWN);
    });
    ScrollAndCheck("line up", [&] { SendScroll(SB_LINEUP); });
    ScrollAndCheck("bottom", [&] { SendScroll(SB_BOTTOM); });
}

TEST_F(HotListScrollTest, TheScrollBarTakesRealClicks)
{
    CRect list;
    m_list.GetWindowRect(&list);
    const int barX = list.right - ::GetSystemMetrics(SM_CXVSCROLL) / 2;
    ScrollAndCheck("down arrow", [&] { ASSERT_TRUE(ClickAt(barX, list.bottom - 4)); });
    ScrollAndCheck("page area", [&] { ASSERT_TRUE(ClickAt(barX, list.bottom - 60)); });
}

TEST_F(HotListScrollTest, TheLastEntryIsReachedAndItsRowReportsItsOwnId)
{
    ScrollAndCheck("bottom", [&] { SendScroll(SB_BOTTOM); });
    ASSERT_TRUE(EntryInView(kRows - 1));
    const POINT text = OnRowText(kRows - 1);
    ASSERT_TRUE(ClickAt(text.x, text.y));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !m_host.m_itemClicks.empty(); }));
    testing_support::PumpPending();
    ASSERT_EQ(m_host.m_itemClicks.size(), 1u);
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, kFirstId + kRows - 1);

    // And back at the top, the first one reports its own.
    ScrollAndCheck("top", [&] { SendScroll(SB_TOP); });
    const POINT first = OnRowText(0);
    ASSERT_TRUE(ClickAt(first.x, first.y));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return m_host.m_itemClicks.size() == 2; }));
    EXPECT_EQ(m_host.m_itemClicks[1].lParam, kFirstId);
}

TEST_F(HotListScrollTest, PageByPageToTheEndAndBackTheRowWindowsStayBounded)
{
    const int firstControlId = Row(0)->GetDlgCtrlID();
    const CString firstText(L"第0条");
    int most = ChildWindows();
    while (!EntryInView(kRows - 1)) {
        ScrollAndCheck("page down", [&] { SendScroll(SB_PAGEDOWN); });
        most = std::max(most, ChildWindows());
    }
    EXPECT_EQ(Row(0), nullptr) << "the first row was let go on the way";
    while (m_list.GetTopIndex() > 0) {
        ScrollAndCheck("page up", [&] { SendScroll(SB_PAGEUP); });
        most = std::max(most, ChildWindows());
    }
    EXPECT_LE(most, static_cast<int>(CHotListBox::kMaxLiveRows));
    EXPECT_EQ(m_list.LiveRowCount(), static_cast<size_t>(ChildWindows()));

    // The first row is back as it was: its control id, its text in its font, its click.
    ASSERT_TRUE(RowShows(0));
    EXPECT_EQ(Row(0)->GetDlgCtrlID(), firstControlId);
    const CSize size = RowSizeOf(firstText, firstText.GetLength());
    EXPECT_EQ(RowInList(0).Width(), size.cx);
    EXPECT_EQ(RowInList(0).Height(), size.cy);
    const POINT first = OnRowText(0);
    ASSERT_TRUE(ClickAt(first.x, first.y));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !m_host.m_itemClicks.empty(); }));
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, kFirstId);
}

// The row holding the mouse is never let go, however far the list scrolls under the press.
TEST_F(HotListScrollTest, APressedRowKeepsItsWindowWhileTheListScrollsAwayAndBack)
{
    const POINT text = OnRowText(0);
    ASSERT_TRUE(MouseMoveTo(text.x, text.y));
    MouseLeftDown(text.x, text.y);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return ::GetCapture() == Row(0)->m_hWnd; }));
    const HWND pressed = Row(0)->m_hWnd;
    while (!EntryInView(kRows - 1)) {
        SendScroll(SB_PAGEDOWN);
        Repaint();
    }
    ASSERT_NE(Row(0), nullptr);
    EXPECT_EQ(Row(0)->m_hWnd, pressed);
    EXPECT_LE(ChildWindows(), static_cast<int>(CHotListBox::kMaxLiveRows));

    SendScroll(SB_TOP);
    Repaint();
    MouseLeftUp(text.x, text.y);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !m_host.m_itemClicks.empty(); }));
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, kFirstId);
}

}  // namespace
