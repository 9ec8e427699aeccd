// CHotListBox: the rows it creates, where it shows them, what it draws, and the clicks it passes on.
#include "hotlist/hotlistbox.h"
#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"
#include "tests/hotlist/list_fixture.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/hotlist/routed_pump.h"
#include "tests/hotlist/row_font.h"
#include "tests/hotlist/screen_capture.h"

namespace {

class HotListBoxTest : public HotListFixture {
protected:
    void AddRows(int count, int firstId = 1)
    {
        for (int i = 0; i < count; ++i)
            m_list.AddRow(CString("条目 ") + std::to_string(firstId + i), firstId + i);
    }
    // The rows created with ids and sizes that follow from a list of the given height.
    void ExpectCreatedRows(int height, int entryHeight, int rowHeight)
    {
        MakeList(height);
        const int before = g_rowCount;
        AddRows(10);
        EXPECT_EQ(g_rowCount, before + 10);
        EXPECT_EQ(m_list.GetCount(), 10);
        EXPECT_EQ(m_list.GetItemHeight(0), entryHeight);
        for (int i = 0; i < 10; ++i) {
            // Control ids continue the process-wide count: the first row of a run is 1002.
            EXPECT_EQ(::GetDlgItem(m_list.m_hWnd, 1002 + before + i), Row(i)->m_hWnd) << "row " << i;
            EXPECT_FALSE(Row(i)->IsWindowVisible()) << "row " << i;
            const CRect rect = RowInList(i);
            EXPECT_EQ(rect.Width(), kListWidth) << "row " << i;
            EXPECT_EQ(rect.Height(), rowHeight) << "row " << i;
        }
    }
};

TEST_F(HotListBoxTest, ASixHundredPixelListMakesEntries36AndRows30High)
{
    ExpectCreatedRows(600, 36, 30);
}

TEST_F(HotListBoxTest, A599PixelListMakesEntries35AndRows29High)
{
    ExpectCreatedRows(599, 35, 29);
}

TEST_F(HotListBoxTest, RowsShowOverTheirEntriesOnceDrawnSizedToTheirText)
{
    MakeList(600);
    AddRows(40);
    Repaint();
    for (int i = 0; i < 40; ++i) {
        if (!EntryInView(i)) {
            EXPECT_FALSE(Row(i)->IsWindowVisible()) << "row " << i << " was never drawn";
            continue;
        }
        CRect entry;
        m_list.GetItemRect(i, &entry);
        const CRect rect = RowInList(i);
        const CString text = CString("条目 ") + std::to_string(i + 1);
        const CSize extent = MeasureInRowFont(text, text.GetLength());
        EXPECT_EQ(rect.left, entry.left) << "row " << i;
        EXPECT_EQ(rect.top, entry.top) << "row " << i;
        EXPECT_EQ(rect.Width(), extent.cx + 6) << "row " << i;
        EXPECT_EQ(rect.Height(), extent.cy + 3) << "row " << i;
    }
    EXPECT_TRUE(Row(16)->IsWindowVisible());  // the entry cut by the bottom edge
    EXPECT_FALSE(Row(17)->IsWindowVisible());
}

TEST_F(HotListBoxTest, WhatNoRowCoversIsTheButtonFace)
{
    MakeList(600);
    m_list.AddRow("一条相当长的说明文字，延伸到列表的右半边去", 1);
    m_list.AddRow("短", 2);
    m_list.AddRow("中等长度的一条", 3);
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
    ASSERT_TRUE(PumpRoutedUntil([&] { return !m_host.m_itemClicks.empty(); }));
    PumpRoutedPending();
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
    PumpRoutedPending();
    ASSERT_TRUE(ClickAt(row.left + 4, row.bottom + 4));  // below the text, still on its entry
    PumpRoutedPending();
    EXPECT_TRUE(m_host.m_itemClicks.empty());
}

TEST_F(HotListBoxTest, OnlyItemClicksAreForwardedWithWParamZero)
{
    MakeList(600);
    m_list.PostMessage(WM_ITEMCLICK, 7, 42);
    m_list.PostMessage(WM_ITEMCLICK + 1, 0, 43);
    ASSERT_TRUE(PumpRoutedUntil([&] { return !m_host.m_itemClicks.empty(); }));
    PumpRoutedPending();
    ASSERT_EQ(m_host.m_itemClicks.size(), 1u);
    EXPECT_EQ(m_host.m_itemClicks[0].wParam, 0u);
    EXPECT_EQ(m_host.m_itemClicks[0].lParam, 42);
    EXPECT_TRUE(m_host.m_otherPrivateMessages.empty());
}

TEST_F(HotListBoxTest, EntriesWithoutALiveRowDrawNothing)
{
    MakeList(600);
    AddRows(1);
    m_list.SendMessage(LB_ADDSTRING, 0, 0);  // an entry whose item data is null
    AddRows(1, 3);
    ::DestroyWindow(Row(2)->m_hWnd);
    Repaint();
    EXPECT_TRUE(Row(0)->IsWindowVisible());
    EXPECT_EQ(UncleanPixels(), 0);

    // Drawn directly, they touch nothing.
    CScreenCapture before(ClientOnScreen(m_list.m_hWnd));
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.itemID = 1;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = m_list.m_hWnd;
    m_list.GetItemRect(1, &item.rcItem);
    item.hDC = ::GetDC(m_list.m_hWnd);
    m_list.DrawItem(&item);
    item.itemID = 2;
    item.itemData = m_list.SendMessage(LB_GETITEMDATA, 2);
    m_list.GetItemRect(2, &item.rcItem);
    m_list.DrawItem(&item);
    ::ReleaseDC(m_list.m_hWnd, item.hDC);
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
    EXPECT_EQ(m_list.GetItemDataPtr(0), nullptr);
    m_list.Invalidate();
    Repaint();
    EXPECT_EQ(UncleanPixels(), 0);
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(HotListBoxTest, PastTheRowLimitItemsGetBlankEntriesAndNoWindows)
{
    MakeList(600);
    const int before = g_rowCount;
    const int count = CHotListBox::kMaxRows + 3;
    // Filled as the main window fills it: with the list's redraw paused.
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    AddRows(count);
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    EXPECT_EQ(m_list.GetCount(), count);
    EXPECT_EQ(g_rowCount, before + CHotListBox::kMaxRows);
    int children = 0;
    ::EnumChildWindows(m_list.m_hWnd, &CountChild, reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children, CHotListBox::kMaxRows);
    ASSERT_NE(Row(CHotListBox::kMaxRows - 1), nullptr);
    EXPECT_EQ(Row(CHotListBox::kMaxRows), nullptr);
    EXPECT_EQ(m_list.GetItemHeight(count - 1), 36);

    // At the end of the list the last rows show over their entries, and what follows is bare list.
    m_list.SetTopIndex(count - 1);
    Repaint();
    EXPECT_TRUE(RowShows(CHotListBox::kMaxRows - 1));
    EXPECT_EQ(UncleanPixels(), 0);
}

}  // namespace
