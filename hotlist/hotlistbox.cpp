// CHotListBox: adding the entries, giving the rows on screen their windows, and passing clicks on.
#include "hotlist/hotlistbox.h"

#include "framework/dpi.h"
#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"

#include <algorithm>
#include <numeric>

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
    CHotRowBatch row;
    row.Add(text.str(), id);
    AddRows(std::move(row));
}

void CHotListBox::AddRows(CHotRowBatch rows, bool shown)
{
    if (rows.Count() == 0)
        return;
    if (m_rows.Count() == 0)
        m_firstControlId = 1001 + g_rowCount + 1;
    g_rowCount += rows.Count();
    const int first = m_rows.Count();
    const int added = rows.Count();
    const int shownBefore = ShownCount();
    m_rows.Append(std::move(rows));
    if (!shown) {
        // Every item shown until now: those stay the entries, without the new ones.
        if (m_allShown) {
            m_allShown = false;
            m_shown.resize(static_cast<size_t>(first));
            std::iota(m_shown.begin(), m_shown.end(), 0);
        }
        return;
    }
    if (shownBefore == 0)
        ApplyEntryHeight();
    if (!m_allShown) {
        m_shown.resize(m_shown.size() + static_cast<size_t>(added));
        std::iota(m_shown.end() - added, m_shown.end(), first);
    }
    SetEntryCount();
}

void CHotListBox::SetEntryHeight(int pixels)
{
    m_entryHeight = std::max(0, pixels);
    if (m_hWnd && ShownCount() > 0) {
        ApplyEntryHeight();
        Invalidate();
    }
}

int CHotListBox::CurrentEntryHeight() const
{
    if (m_entryHeight > 0)
        return m_entryHeight;
    CRect client;
    GetClientRect(&client);
    return EntryHeight(client.Height());
}

void CHotListBox::ApplyEntryHeight()
{
    SendMessage(LB_SETITEMHEIGHT, 0, CurrentEntryHeight() & 0xFFFF);
}

void CHotListBox::OnDpiChanged()
{
    // Each row's font was made for the DPI it was created at.
    m_liveRows.clear();
    Invalidate();
}

bool CHotListBox::SetEntryCount()
{
    const LRESULT result = SendMessage(LB_SETCOUNT, static_cast<WPARAM>(ShownCount()));
    return result != LB_ERR && result != LB_ERRSPACE;
}

int CHotListBox::PositionAt(int entry) const
{
    if (entry < 0 || entry >= ShownCount())
        return -1;
    return m_allShown ? entry : m_shown[static_cast<size_t>(entry)];
}

void CHotListBox::RemoveAllRows()
{
    m_shown.clear();
    m_allShown = true;
    m_highlight = -1;
    m_pinnedCount = 0;
    m_liveRows.clear();
    m_rows.Clear();
}

void CHotListBox::ShowRows(std::vector<int> rows)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int row) { return row < 0 || row >= m_rows.Count(); }),
               rows.end());
    SetHighlight(-1);
    if (ShownCount() == 0 && !rows.empty())
        ApplyEntryHeight();
    m_allShown = false;
    m_shown = std::move(rows);
    ForgetEntriesOfLiveRows();
    SetEntryCount();
    SendMessage(LB_SETTOPINDEX, 0);
    Invalidate();
}

void CHotListBox::AppendShownRows(const std::vector<int>& rows)
{
    if (m_allShown) {
        m_allShown = false;
        m_shown.resize(static_cast<size_t>(m_rows.Count()));
        std::iota(m_shown.begin(), m_shown.end(), 0);
    }
    const size_t before = m_shown.size();
    for (int row : rows) {
        if (row >= 0 && row < m_rows.Count())
            m_shown.push_back(row);
    }
    if (m_shown.size() == before)
        return;
    if (before == 0)
        ApplyEntryHeight();
    if (!SetEntryCount())
        m_shown.resize(before);
}

void CHotListBox::ShowAllRows()
{
    SetHighlight(-1);
    if (ShownCount() == 0 && m_rows.Count() > 0)
        ApplyEntryHeight();
    m_allShown = true;
    std::vector<int>().swap(m_shown);
    ForgetEntriesOfLiveRows();
    SetEntryCount();
    SendMessage(LB_SETTOPINDEX, 0);
    Invalidate();
}

void CHotListBox::ForgetEntriesOfLiveRows()
{
    // Every row on screen now stands for another entry, or for none: each is shown again when
    // its entry is drawn.
    for (CLiveRow& live : m_liveRows) {
        live.entry = -1;
        if (live.row->Row()->m_hWnd)
            live.row->Row()->ShowWindow(SW_HIDE);
    }
}

bool CHotListBox::IsPinned(int index) const
{
    const int position = PositionAt(index);
    return position >= 0 && position < m_pinnedCount;
}

int CHotListBox::ItemIdAt(int index) const
{
    const int position = PositionAt(index);
    return position < 0 ? 0 : m_rows.IdAt(position);
}

std::wstring CHotListBox::TextAt(int index) const
{
    const int position = PositionAt(index);
    return position < 0 ? std::wstring() : RowTextAt(position);
}

std::wstring CHotListBox::RowTextAt(int position) const
{
    const std::wstring_view kept = m_rows.TextAt(position);
    if (kept.empty() && m_rowTexts)
        return m_rowTexts->RowText(position);
    return std::wstring(kept);
}

void CHotListBox::SetHighlight(int index)
{
    if (index >= ShownCount())
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

int CHotListBox::EntriesOnScreen() const
{
    CRect client;
    GetClientRect(&client);
    const int entryHeight = std::max(1, CurrentEntryHeight());
    return std::max(1, (static_cast<int>(client.Height()) + entryHeight - 1) / entryHeight);
}

CHotListBox::CLiveRow* CHotListBox::FindLiveRow(int entry) const
{
    const int position = PositionAt(entry);
    if (position < 0)
        return nullptr;
    for (CLiveRow& live : m_liveRows) {
        if (live.position == position)
            return &live;
    }
    return nullptr;
}

CHyperLink* CHotListBox::RowWindow(int index) const
{
    const CLiveRow* live = FindLiveRow(index);
    return live ? live->row->Row() : nullptr;
}

void CHotListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // The list box draws nothing itself; the row over the entry does all the painting.
    const CRect rect(lpDrawItemStruct->rcItem);
    const UINT index = lpDrawItemStruct->itemID;
    if (static_cast<int>(index) >= ShownCount())
        return;
    CHyperLink* row = LiveRow(static_cast<int>(index));
    row->SetHighlighted(static_cast<int>(index) == m_highlight);
    if (!::IsWindow(row->m_hWnd))
        return;
    row->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    row->ShowWindow(SW_SHOW);
}

CHyperLink* CHotListBox::LiveRow(int entry)
{
    if (CLiveRow* live = FindLiveRow(entry)) {
        live->entry = entry;
        for (auto it = m_liveRows.begin(); it != m_liveRows.end(); ++it) {
            if (&*it == live) {
                m_liveRows.splice(m_liveRows.begin(), m_liveRows, it);
                break;
            }
        }
        return live->row->Row();
    }
    ReleaseOldRows();
    CRect client;
    GetClientRect(&client);
    const int position = PositionAt(entry);
    CLiveRow& live = m_liveRows.emplace_front();
    live.position = position;
    live.entry = entry;
    live.row = std::make_unique<CHotRow>(RowTextAt(position), m_rows.IdAt(position),
                                         static_cast<UINT>(m_firstControlId + position), this, m_hNotifyWnd,
                                         CRect(0, 0, client.Width(), client.Height() / 20),
                                         ScaleToDpi(kRowFontHeight, WindowDpi(m_hWnd)));
    live.row->Row()->SetPinned(position < m_pinnedCount);
    return live.row->Row();
}

int CHotListBox::EntryAt(POINT point) const
{
    // Asked of the entries in view rather than by LB_ITEMFROMPOINT, which answers in 16 bits: past
    // entry 65,535 it would name another item.
    CRect client;
    GetClientRect(&client);
    if (!::PtInRect(&client, point))
        return -1;
    for (int entry = std::max(GetTopIndex(), 0); entry < ShownCount(); ++entry) {
        CRect rect;
        if (GetItemRect(entry, &rect) == LB_ERR || rect.top >= client.bottom)
            break;
        if (::PtInRect(&rect, point))
            return entry;
    }
    return -1;
}

void CHotListBox::ReleaseOldRows()
{
    CRect client;
    GetClientRect(&client);
    const HWND hCapture = ::GetCapture();
    for (auto it = m_liveRows.end(); m_liveRows.size() >= kMaxLiveRows && it != m_liveRows.begin();) {
        --it;
        const HWND hRow = it->row->Row()->m_hWnd;
        // A row on screen may be under the mouse, and the pressed one holds the capture: neither
        // may vanish in the middle of a hover or a click.
        if (hRow && (hRow == hCapture || EntryInView(it->entry, client)))
            continue;
        it = m_liveRows.erase(it);
    }
}

bool CHotListBox::EntryInView(int index, const CRect& client) const
{
    CRect entry;
    CRect visible;
    return index >= 0 && GetItemRect(index, &entry) != LB_ERR && ::IntersectRect(&visible, &entry, &client);
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
    for (const CLiveRow& live : m_liveRows) {
        CHyperLink* row = live.row->Row();
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
    for (const CLiveRow& live : m_liveRows) {
        CHyperLink* row = live.row->Row();
        if (row->m_hWnd && row->IsWindowVisible() && !EntryInView(live.entry, client))
            row->ShowWindow(SW_HIDE);
    }
}
