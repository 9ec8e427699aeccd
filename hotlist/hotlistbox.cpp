// CHotListBox: adding the entries, giving the rows on screen their windows, and passing clicks on.
#include "hotlist/hotlistbox.h"

#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"

#include <algorithm>

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
    // Every entry is as high as the first: 6 % of the list's height.
    if (m_shown.empty())
        SendMessage(LB_SETITEMHEIGHT, 0, EntryHeight(client.Height()) & 0xFFFF);
    const LRESULT result = SendMessage(LB_SETCOUNT, m_shown.size() + 1);
    if (result == LB_ERR || result == LB_ERRSPACE)
        return;
    entry.m_nIndex = static_cast<int>(m_shown.size());
    m_shown.push_back(&entry);
}

void CHotListBox::RemoveAllRows()
{
    if (m_rows.empty())
        return;
    m_shown.clear();
    m_highlight = -1;
    m_liveRows.clear();
    std::deque<CHotRow>().swap(m_rows);
}

void CHotListBox::ShowRows(const std::vector<int>& rows)
{
    std::vector<CHotRow*> shown;
    shown.reserve(rows.size());
    for (int row : rows) {
        if (row >= 0 && static_cast<size_t>(row) < m_rows.size())
            shown.push_back(&m_rows[static_cast<size_t>(row)]);
    }
    ShowEntries(std::move(shown));
}

void CHotListBox::ShowAllRows()
{
    std::vector<CHotRow*> shown;
    shown.reserve(m_rows.size());
    for (CHotRow& entry : m_rows)
        shown.push_back(&entry);
    ShowEntries(std::move(shown));
}

void CHotListBox::ShowEntries(std::vector<CHotRow*> shown)
{
    SetHighlight(-1);
    for (CHotRow* entry : m_shown)
        entry->m_nIndex = -1;
    m_shown = std::move(shown);
    for (size_t index = 0; index < m_shown.size(); ++index)
        m_shown[index]->m_nIndex = static_cast<int>(index);
    // Every row on screen now stands for another entry, or for none: each is shown again when
    // its entry is drawn.
    for (CHotRow* entry : m_liveRows) {
        if (entry->Row()->m_hWnd)
            entry->Row()->ShowWindow(SW_HIDE);
    }
    SendMessage(LB_SETCOUNT, m_shown.size());
    SendMessage(LB_SETTOPINDEX, 0);
    Invalidate();
}

int CHotListBox::ItemIdAt(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_shown.size())
        return 0;
    return m_shown[static_cast<size_t>(index)]->ItemId();
}

void CHotListBox::SetHighlight(int index)
{
    if (index >= static_cast<int>(m_shown.size()))
        index = -1;
    if (CHyperLink* old = RowWindow(m_highlight))
        old->SetHighlighted(FALSE);
    m_highlight = index;
    if (index < 0)
        return;
    // Brought on screen, where drawing gives it its row.
    CRect client, entry;
    GetClientRect(&client);
    if (GetItemRect(index, &entry) == LB_ERR || entry.top < client.top || entry.bottom > client.bottom) {
        const int top = static_cast<int>(SendMessage(LB_GETTOPINDEX));
        SendMessage(LB_SETTOPINDEX,
                    static_cast<WPARAM>(index < top ? index : std::max(0, index - EntriesPerPage() + 1)));
    }
    if (CHyperLink* row = RowWindow(index))
        row->SetHighlighted(TRUE);
}

int CHotListBox::EntriesPerPage() const
{
    CRect client;
    GetClientRect(&client);
    const int entryHeight = std::max(1, static_cast<int>(SendMessage(LB_GETITEMHEIGHT, 0)));
    return std::max(1, static_cast<int>(client.Height()) / entryHeight);
}

CHyperLink* CHotListBox::RowWindow(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_shown.size())
        return nullptr;
    return m_shown[static_cast<size_t>(index)]->Row();
}

void CHotListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // The list box draws nothing itself; the row over the entry does all the painting.
    const CRect rect(lpDrawItemStruct->rcItem);
    const UINT index = lpDrawItemStruct->itemID;
    if (index >= m_shown.size())
        return;
    CHotRow* entry = m_shown[index];
    CHyperLink* row = LiveRow(*entry);
    row->SetHighlighted(static_cast<int>(index) == m_highlight);
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
