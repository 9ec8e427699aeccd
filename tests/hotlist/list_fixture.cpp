// The row list box fixture.
#include "tests/hotlist/list_fixture.h"

#include "tests/hotlist/screen_capture.h"
#include "tests/support/pump.h"

void HotListFixture::MakeList(int height)
{
    HWND hList = CreateRowListBoxWindow(m_host.m_hWnd, kListLeft, kListTop, kListWidth, height);
    ASSERT_TRUE(m_list.SubclassWindow(hList));
    m_list.SetNotifyWnd(m_host.m_hWnd);
}

CRect HotListFixture::RowInList(int index) const
{
    CRect rect;
    Row(index)->GetWindowRect(&rect);
    m_list.ScreenToClient(&rect);
    return rect;
}

CRect HotListFixture::ListClient() const
{
    CRect client;
    m_list.GetClientRect(&client);
    return client;
}

bool HotListFixture::EntryInView(int index) const
{
    CRect entry;
    CRect visible;
    m_list.GetItemRect(index, &entry);
    const CRect client = ListClient();
    return ::IntersectRect(&visible, &entry, &client) != FALSE;
}

bool HotListFixture::RowShows(int index) const
{
    const CHyperLink* row = Row(index);
    if (!row || !row->m_hWnd)
        return false;
    CRect visible;
    const CRect rect = RowInList(index);
    const CRect client = ListClient();
    return row->IsWindowVisible() && ::IntersectRect(&visible, &rect, &client);
}

POINT HotListFixture::OnRowText(int index) const
{
    CRect rect;
    Row(index)->GetWindowRect(&rect);
    return POINT{rect.left + 4, rect.top + 8};
}

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

int HotListFixture::ChildWindows() const
{
    int children = 0;
    ::EnumChildWindows(m_list.m_hWnd, &CountChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

void HotListFixture::Repaint()
{
    testing_support::PumpPending();
    ::UpdateWindow(m_host.m_hWnd);
    ::RedrawWindow(m_list.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing_support::PumpPending();
    ::GdiFlush();
}

std::vector<std::string> HotListFixture::RowsNotFollowingEntries() const
{
    std::vector<std::string> faults;
    const CRect client = ListClient();
    for (int i = 0; i < m_list.GetCount(); ++i) {
        const std::string entry = "entry " + std::to_string(i) + ": ";
        if (!EntryInView(i)) {
            if (RowShows(i))
                faults.push_back(entry + "out of view, its row shows");
            continue;
        }
        CRect item;
        m_list.GetItemRect(i, &item);
        const CRect row = RowInList(i);
        if (!RowShows(i))
            faults.push_back(entry + "in view, its row does not show");
        else if (row.left != item.left || row.top != item.top)
            faults.push_back(entry + "row at " + std::to_string(row.left) + "," + std::to_string(row.top) +
                             ", entry at " + std::to_string(item.left) + "," + std::to_string(item.top));
        POINT text = {item.left + 4, item.top + 4};
        if (text.y < client.bottom) {
            m_list.ClientToScreen(&text);
            if (!Row(i) || ::WindowFromPoint(text) != Row(i)->m_hWnd)
                faults.push_back(entry + "another window is hit on its text");
        }
    }
    return faults;
}

int HotListFixture::UncleanPixels() const
{
    std::vector<CRect> rows;
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (RowShows(i))
            rows.push_back(RowInList(i));
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    CScreenCapture shot(ClientOnScreen(m_list.m_hWnd));
    return shot.CountIf([&](int x, int y, COLORREF pixel) {
        const POINT point = {x, y};
        for (const CRect& row : rows)
            if (::PtInRect(&row, point))
                return false;
        return pixel != face;
    });
}
