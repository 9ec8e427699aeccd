// CHotListBox: the rows it creates, where it shows them, what it draws, and the clicks it passes on.
#include "hotlist/hotlistbox.h"
#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"
#include "tests/hotlist/list_fixture.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/support/row_font.h"
#include "tests/hotlist/screen_capture.h"
#include "tests/support/pump.h"

namespace {

// Rows hold UTF-16: a surrogate pair among the Chinese is drawn and measured whole.
const wchar_t kRowText[] = L"条目 😀 ";

class HotListBoxTest : public HotListFixture {
protected:
    void AddRows(int count, int firstId = 1)
    {
        for (int i = 0; i < count; ++i)
            m_list.AddRow(CString(kRowText) + std::to_wstring(firstId + i), firstId + i);
    }
    // Entries of the height that follows from the list's; the rows get their windows, with ids in
    // the order the items were added, only when their entries are drawn.
    void ExpectEntriesThenRows(int height, int entryHeight)
    {
        MakeList(height);
        const int before = g_rowCount;
        AddRows(10);
        EXPECT_EQ(g_rowCount, before + 10);
        EXPECT_EQ(m_list.GetCount(), 10);
        EXPECT_EQ(m_list.GetItemHeight(0), entryHeight);
        EXPECT_EQ(ChildWindows(), 0) << "no entry drawn yet";
        Repaint();
        for (int i = 0; i < 10; ++i) {
            // Control ids continue the process-wide count: the first row of a run is 1002.
            ASSERT_NE(Row(i), nullptr) << "row " << i;
            EXPECT_EQ(::GetDlgItem(m_list.m_hWnd, 1002 + before + i), Row(i)->m_hWnd) << "row " << i;
            EXPECT_TRUE(Row(i)->IsWindowVisible()) << "row " << i;
        }
        EXPECT_EQ(ChildWindows(), 10);
    }
};

TEST_F(HotListBoxTest, ASixHundredPixelListMakesEntries36High)
{
    ExpectEntriesThenRows(600, 36);
}

TEST_F(HotListBoxTest, A599PixelListMakesEntries35High)
{
    ExpectEntriesThenRows(599, 35);
}

TEST_F(HotListBoxTest, RowsShowOverTheirEntriesOnceDrawnSizedToTheirText)
{
    MakeList(600);
    AddRows(40);
    Repaint();
    for (int i = 0; i < 40; ++i) {
        if (!EntryInView(i)) {
            EXPECT_EQ(Row(i), nullptr) << "row " << i << " was never drawn";
            continue;
        }
        CRect entry;
        m_list.GetItemRect(i, &entry);
        const CRect rect = RowInList(i);
        const CString text = CString(kRowText) + std::to_wstring(i + 1);
        const CSize size = RowSizeOf(text, text.GetLength());
        EXPECT_EQ(rect.left, entry.left) << "row " << i;
        EXPECT_EQ(rect.top, entry.top) << "row " << i;
        EXPECT_EQ(rect.Width(), size.cx) << "row " << i;
        EXPECT_EQ(rect.Height(), size.cy) << "row " << i;
    }
    EXPECT_TRUE(RowShows(16));  // the entry cut by the bottom edge
    EXPECT_EQ(Row(17), nullptr);
    EXPECT_EQ(ChildWindows(), 17);
}

TEST_F(HotListBoxTest, WhatNoRowCoversIsTheButtonFace)
{
    MakeList(600);
    m_list.AddRow(L"一条相当长的说明文字，延伸到列表的右半边去", 1);
    m_list.AddRow(L"短", 2);
    m_list.AddRow(L"中等长度的一条", 3);
    Repaint();
    EXPECT_EQ(UncleanPixels(), 0);
    CScreenCapture shot(ClientOnScreen(Row(0)->m_hWnd));
    EXPECT_GT(shot.Count(RGB(0, 0, 255)), 0);
}

TEST_F(HotListBoxTest, AClickOnARowReachesTheNotifyWindowOnce)
{
    MakeList(600);
    AddRows(3, 76);
    Repaint();
    const POINT text = OnRowText(1);
    ASSERT_TRUE(ClickAt(text.x, text.y));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !m_host.m_itemClicks.empty(); }));
    testing_support::PumpPending();
    ASSERT_EQ(m_host.m_itemClicks.size(), 1u);
    EXPECT_EQ(m_host.m_itemClicks[0].wParam, 0u);
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, 77);
}

TEST_F(HotListBoxTest, AClickBesideTheTextOnTheBareListReportsNothing)
{
    MakeList(600);
    AddRows(3);
    Repaint();
    CRect row;
    Row(0)->GetWindowRect(&row);
    ASSERT_TRUE(ClickAt(row.right + 20, row.top + 8));
    ASSERT_TRUE(ClickAt(row.left + 4, row.bottom + 4));  // below the text, still on its entry
    // Input is handled in order: once a click on the third row's text is reported, the two
    // clicks before it have been handled.
    const POINT marker = OnRowText(2);
    ASSERT_TRUE(ClickAt(marker.x, marker.y));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !m_host.m_itemClicks.empty(); }));
    testing_support::PumpPending();
    ASSERT_EQ(m_host.m_itemClicks.size(), 1u);
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, 3) << "only the third row's click";
}

TEST_F(HotListBoxTest, OnlyItemClicksAreForwardedWithWParamZero)
{
    MakeList(600);
    m_list.PostMessage(WM_ITEMCLICK, 7, 42);
    m_list.PostMessage(WM_ITEMCLICK + 1, 0, 43);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !m_host.m_itemClicks.empty(); }));
    testing_support::PumpPending();
    ASSERT_EQ(m_host.m_itemClicks.size(), 1u);
    EXPECT_EQ(m_host.m_itemClicks[0].wParam, 0u);
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, 42);
    EXPECT_TRUE(m_host.m_otherPrivateMessages.empty());
}

TEST_F(HotListBoxTest, EntriesWithoutALiveRowDrawNothing)
{
    MakeList(600);
    AddRows(3);
    m_list.SendMessage(LB_SETCOUNT, 4);  // an entry the list keeps no item for
    Repaint();
    ASSERT_NE(Row(2), nullptr);
    ::DestroyWindow(Row(2)->m_hWnd);
    m_list.Invalidate();
    Repaint();
    EXPECT_TRUE(Row(0)->IsWindowVisible());
    EXPECT_EQ(UncleanPixels(), 0);

    // Drawn directly, they touch nothing.
    CScreenCapture before(ClientOnScreen(m_list.m_hWnd));
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = m_list.m_hWnd;
    item.itemID = 3;
    m_list.GetItemRect(3, &item.rcItem);
    {
        CClientDC dc(&m_list);
        item.hDC = dc;
        m_list.DrawItem(&item);
        item.itemID = 2;
        m_list.GetItemRect(2, &item.rcItem);
        m_list.DrawItem(&item);
    }
    Repaint();
    CScreenCapture after(ClientOnScreen(m_list.m_hWnd));
    EXPECT_EQ(after.CountIf([&](int x, int y, COLORREF pixel) { return pixel != before.At(x, y); }), 0);
}

TEST_F(HotListBoxTest, RemovingTheRowsLeavesEntriesThatDrawNothing)
{
    MakeList(600);
    m_list.RemoveAllRows();  // nothing to remove
    AddRows(5);
    Repaint();
    const HWND firstRow = Row(0)->m_hWnd;
    m_list.RemoveAllRows();
    EXPECT_FALSE(::IsWindow(firstRow));
    EXPECT_EQ(m_list.GetCount(), 5);
    EXPECT_EQ(m_list.RowWindow(0), nullptr);
    m_list.Invalidate();
    Repaint();
    EXPECT_EQ(UncleanPixels(), 0);
}

// Every item gets a working row, whatever the count, and only the entries on screen have windows.
TEST_F(HotListBoxTest, TwentyThousandItemsEachGetAWorkingRowWithWindowsOnlyOnScreen)
{
    constexpr int kItems = 20000;
    MakeList(600);
    const int before = g_rowCount;
    // Filled as the main window fills it: with the list's redraw paused.
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    AddRows(kItems);
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate();
    EXPECT_EQ(m_list.GetCount(), kItems);
    EXPECT_EQ(g_rowCount, before + kItems);
    EXPECT_EQ(m_list.GetItemHeight(kItems - 1), 36);
    Repaint();
    EXPECT_EQ(ChildWindows(), 17) << "the entries on screen (600 / 36 pixels)";
    EXPECT_EQ(m_list.LiveRowCount(), 17u);
    ASSERT_NE(Row(0), nullptr);
    EXPECT_EQ(Row(0)->GetDlgCtrlID(), 1002 + before);

    // At the end of the list the last item's row shows over its entry and reports its own id.
    m_list.SendMessage(WM_VSCROLL, SB_BOTTOM);
    Repaint();
    ASSERT_TRUE(RowShows(kItems - 1));
    EXPECT_EQ(Row(kItems - 1)->GetDlgCtrlID(), 1001 + before + kItems);
    EXPECT_EQ(UncleanPixels(), 0);
    const POINT text = OnRowText(kItems - 1);
    ASSERT_TRUE(ClickAt(text.x, text.y));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !m_host.m_itemClicks.empty(); }));
    testing_support::PumpPending();
    ASSERT_EQ(m_host.m_itemClicks.size(), 1u);
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, kItems);

    // Pages all over the list, enough to outgrow the bound: the first row's window is let go.
    const int pages = static_cast<int>(CHotListBox::kMaxLiveRows / 17) + 3;
    for (int page = 1; page <= pages; ++page) {
        m_list.SetTopIndex(page * (kItems / (pages + 1)));
        Repaint();
        EXPECT_LE(ChildWindows(), static_cast<int>(CHotListBox::kMaxLiveRows)) << "page " << page;
    }
    EXPECT_EQ(Row(0), nullptr);

    // Back at the top, the first row shows again: same control id, text and font.
    m_list.SendMessage(WM_VSCROLL, SB_TOP);
    Repaint();
    ASSERT_TRUE(RowShows(0));
    EXPECT_EQ(Row(0)->GetDlgCtrlID(), 1002 + before);
    const CString firstText = CString(kRowText) + L"1";
    const CSize size = RowSizeOf(firstText, firstText.GetLength());
    EXPECT_EQ(RowInList(0).Width(), size.cx);
    EXPECT_EQ(RowInList(0).Height(), size.cy);
    const std::vector<std::string> faults = RowsNotFollowingEntries();
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults.front();
    const POINT first = OnRowText(0);
    ASSERT_TRUE(ClickAt(first.x, first.y));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return m_host.m_itemClicks.size() == 2; }));
    EXPECT_EQ(m_host.m_itemClicks[1].lParam, 1);
}

}  // namespace
