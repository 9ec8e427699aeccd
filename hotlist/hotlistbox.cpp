// CHotListBox: creating, placing and owning the rows, and passing their clicks on.
#include "hotlist/hotlistbox.h"

#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"

#include <cstring>

int g_rowCount = 0;

namespace {

// "宋体" at 20 pixels, the face every row shows its text in.
LOGFONTA RowFont()
{
    LOGFONTA font = {};
    font.lfHeight = 20;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::strcpy(font.lfFaceName, "宋体");
    return font;
}

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

// Out of line: the rows' type is complete only here.
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
    CRect client;
    GetClientRect(&client);
    // Past the limit the item gets no row: its entry's item data stays null and draws as nothing.
    CHyperLink* added = m_rows.size() < static_cast<size_t>(kMaxRows) ? CreateRow(text, id, client) : nullptr;

    // The list box keeps no strings, so LB_ADDSTRING's lParam is the entry's item data.
    const LRESULT index = SendMessage(LB_ADDSTRING, 0, 0);
    SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), EntryHeight(client.Height()) & 0xFFFF);
    if (added && index != LB_ERR && index != LB_ERRSPACE)
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(added));
}

CHyperLink* CHotListBox::CreateRow(LPCSTR text, int id, const CRect& client)
{
    ++g_rowCount;
    auto row = std::make_unique<CHyperLink>();
    // Created hidden: a row shows when its entry is first drawn.
    row->Create("", WS_CHILD | SS_SIMPLE, CRect(0, 0, client.Width(), client.Height() / 20), this,
                static_cast<UINT>(1001 + g_rowCount));
    row->SetText(text);
    row->SetOwnerWnd(m_hWnd);
    CString itemId;
    itemId.Format("%d", id);
    row->SetItemId(itemId);
    row->SetLinkFont(RowFont());
    m_rows.push_back(std::move(row));
    return m_rows.back().get();
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
    m_shownRows.clear();
    for (auto& row : m_rows)
        row.reset();
    std::vector<std::unique_ptr<CHyperLink>>().swap(m_rows);
}

void CHotListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // The list box draws nothing itself; the row over the entry does all the painting.
    const CRect rect(lpDrawItemStruct->rcItem);
    auto* row = reinterpret_cast<CHyperLink*>(lpDrawItemStruct->itemData);
    if (!row || !::IsWindow(row->m_hWnd))
        return;
    row->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    row->ShowWindow(SW_SHOW);
    m_shownRows[static_cast<int>(lpDrawItemStruct->itemID)] = row;
}

BOOL CHotListBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_ITEMCLICK)
        ::PostMessageA(m_hNotifyWnd, WM_ITEMCLICK, 0, pMsg->lParam);
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
    for (const auto& shown : m_shownRows) {
        CHyperLink* row = shown.second;
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
    for (auto it = m_shownRows.begin(); it != m_shownRows.end();) {
        CRect entry;
        CRect visible;
        const bool inView =
            GetItemRect(it->first, &entry) != LB_ERR && ::IntersectRect(&visible, &entry, &client);
        if (inView) {
            ++it;
            continue;
        }
        if (it->second->m_hWnd)
            it->second->ShowWindow(SW_HIDE);
        it = m_shownRows.erase(it);
    }
}
