// CHotListBox: adding the entries, giving the rows on screen their windows, and passing clicks on.
#include "hotlist/hotlistbox.h"

#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"

int g_rowCount = 0;

namespace {

// 6 % of the client height, truncated. Integer arithmetic gives what the double product
// (int)(height * 0.06) gives, without the x87 extended precision turning 600 * 0.06 into 35.999...
int EntryHeight(int clientHeight)
{
    return clientHeight * 6 / 100;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHotListBox, CListBox)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

CHotListBox::CHotListBox() = default;

CHotListBox::~CHotListBox()
{
    RemoveAllRows();
}

void CHotListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
}

void CHotListBox::AddRow(CString text, int id)
{
    ++g_rowCount;
    CRect client;
    GetClientRect(&client);
    CHotRow& entry = m_rows.emplace_back(text, id, static_cast<UINT>(1001 + g_rowCount));

    // The list box keeps no strings, so LB_ADDSTRING's lParam is the entry's item data.
    const LRESULT index = SendMessage(LB_ADDSTRING, 0, 0);
    SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), EntryHeight(client.Height()) & 0xFFFF);
    if (index == LB_ERR || index == LB_ERRSPACE)
        return;
    entry.m_nIndex = static_cast<int>(index);
    SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry));
}

void CHotListBox::RemoveAllRows()
{
    if (m_rows.empty())
        return;
    // Entries left behind must not point at deleted rows: they then draw as nothing.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        const int count = GetCount();
        for (int i = 0; i < count; ++i)
            SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
    }
    m_liveRows.clear();
    std::deque<CHotRow>().swap(m_rows);
}

CHyperLink* CHotListBox::RowWindow(int index) const
{
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (data == 0 || data == LB_ERR)
        return nullptr;
    return reinterpret_cast<CHotRow*>(data)->Row();
}

void CHotListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // The list box draws nothing itself; the row over the entry does all the painting.
    const CRect rect(lpDrawItemStruct->rcItem);
    auto* entry = reinterpret_cast<CHotRow*>(lpDrawItemStruct->itemData);
    if (!entry)
        return;
    CHyperLink* row = LiveRow(*entry);
    if (!::IsWindow(row->m_hWnd))
        return;
    row->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    row->ShowWindow(SW_SHOW);
}

CHyperLink* CHotListBox::LiveRow(CHotRow& entry)
{
    if (CHyperLink* row = entry.Row()) {
        m_liveRows.splice(m_liveRows.begin(), m_liveRows, entry.m_itLive);
        return row;
    }
    ReleaseOldRows();
    CRect client;
    GetClientRect(&client);
    CHyperLink* row = entry.CreateRow(this, m_hWnd, CRect(0, 0, client.Width(), client.Height() / 20));
    entry.m_itLive = m_liveRows.insert(m_liveRows.begin(), &entry);
    return row;
}

void CHotListBox::ReleaseOldRows()
{
    CRect client;
    GetClientRect(&client);
    const HWND hCapture = ::GetCapture();
    for (auto it = m_liveRows.end(); m_liveRows.size() >= kMaxLiveRows && it != m_liveRows.begin();) {
        --it;
        CHotRow* entry = *it;
        const HWND hRow = entry->Row()->m_hWnd;
        // A row on screen may be under the mouse, and the pressed one holds the capture: neither
        // may vanish in the middle of a hover or a click.
        if (hRow && (hRow == hCapture || EntryInView(entry->m_nIndex, client)))
            continue;
        it = m_liveRows.erase(it);
        entry->ReleaseRow();
    }
}

bool CHotListBox::EntryInView(int index, const CRect& client) const
{
    CRect entry;
    CRect visible;
    return GetItemRect(index, &entry) != LB_ERR && ::IntersectRect(&visible, &entry, &client);
}

BOOL CHotListBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_ITEMCLICK)
        ::PostMessageW(m_hNotifyWnd, WM_ITEMCLICK, 0, pMsg->lParam);
    return CListBox::PreTranslateMessage(pMsg);
}

BOOL CHotListBox::OnEraseBkgnd(CDC* pDC)
{
    // Only what no row covers is painted, in the rows' own background colour, so that nothing of
    // an earlier picture (rows scrolled away) is left beside or below the rows.
    CRect client;
    GetClientRect(&client);
    CRgn uncovered;
    uncovered.CreateRectRgnIndirect(&client);
    for (const CHotRow* entry : m_liveRows) {
        CHyperLink* row = entry->Row();
        if (!row->m_hWnd || !row->IsWindowVisible())
            continue;
        CRect rect;
        row->GetWindowRect(&rect);
        ScreenToClient(&rect);
        CRgn covered;
        covered.CreateRectRgnIndirect(&rect);
        uncovered.CombineRgn(uncovered, covered, RGN_DIFF);
    }
    ::FillRgn(pDC->m_hDC, uncovered, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

void CHotListBox::OnPaint()
{
    HideRowsOutOfView();
    Default();
}

void CHotListBox::HideRowsOutOfView()
{
    // A scroll by a page or more repaints without moving the child windows, so the rows shown
    // before would stay over entries that are not theirs.
    CRect client;
    GetClientRect(&client);
    for (const CHotRow* entry : m_liveRows) {
        CHyperLink* row = entry->Row();
        if (row->m_hWnd && row->IsWindowVisible() && !EntryInView(entry->m_nIndex, client))
            row->ShowWindow(SW_HIDE);
    }
}
