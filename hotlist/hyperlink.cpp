// CHyperLink: painting, the hover and press states and the click report of one row.
#include "hotlist/hyperlink.h"

#include "hotlist/bufferdc.h"
#include "hotlist/itemclick.h"
#include "hotlist/pinmark.h"
#include "hotlist/rowmark.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

namespace {

// Re-checks the hover state after a leave was reported while the cursor still seemed to be over the row.
constexpr UINT_PTR kHoverCheckTimer = 1001;
constexpr UINT kHoverCheckMs = 300;
// The background fill of a paint reaches this far right, whatever the row's width.
constexpr LONG kBackFillRight = 321;

std::unique_ptr<wchar_t[]> CopyText(LPCWSTR text)
{
    if (!text)
        return nullptr;
    size_t size = std::wcslen(text) + 1;
    std::unique_ptr<wchar_t[]> copy(new wchar_t[size]);
    std::wmemcpy(copy.get(), text, size);
    return copy;
}

LOGFONTW DefaultLinkFont()
{
    LOGFONTW font = {};
    font.lfHeight = 14;
    font.lfWeight = FW_NORMAL;
    font.lfQuality = ANTIALIASED_QUALITY;
    std::wcscpy(font.lfFaceName, L"Arial");
    return font;
}

void TrackLeave(HWND hWnd, DWORD flags)
{
    TRACKMOUSEEVENT track = {sizeof(track), flags, hWnd, 0};
    ::_TrackMouseEvent(&track);
}

}  // namespace

IMPLEMENT_DYNAMIC(CHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_MOUSELEAVE, &CHyperLink::OnMouseLeave)
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CHyperLink::CHyperLink()
    : m_crBack(::GetSysColor(COLOR_BTNFACE)), m_hLinkCursor(::LoadCursorW(nullptr, IDC_HAND))
{
    const LOGFONTW font = DefaultLinkFont();
    m_font.CreateFontIndirect(&font);
}

CHyperLink::~CHyperLink()
{
    m_hPrevCursor = nullptr;
    m_hLinkCursor = nullptr;
    m_font.DeleteObject();
}

void CHyperLink::SetText(LPCWSTR text)
{
    m_pszText = CopyText(text);
}

void CHyperLink::SetItemId(LPCWSTR itemId)
{
    m_pszItemId = CopyText(itemId);
}

BOOL CHyperLink::SetLinkFont(const LOGFONTW& logFont)
{
    m_font.DeleteObject();
    if (!m_font.CreateFontIndirect(&logFont))
        return FALSE;
    if (m_hWnd && ::IsWindow(m_hWnd))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    return TRUE;
}

int CHyperLink::NotifyOwner()
{
    if (!m_pszItemId || !m_bNotifyOwner)
        return -1;
    ::PostMessageW(m_hOwnerWnd, WM_ITEMCLICK, 0, _wtoi(m_pszItemId.get()));
    return 0;
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    return CStatic::PreTranslateMessage(pMsg);
}

void CHyperLink::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    // SS_NOTIFY is what lets a static control take mouse input at all.
    ModifyStyle(SS_TYPEMASK, SS_NOTIFY | SS_OWNERDRAW);
    if (GetStyle() & WS_DISABLED)
        m_bDisabled = TRUE;
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENABLE) {
        m_bDisabled = !IsWindowEnabled();
        return 1;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

void CHyperLink::OnPaint()
{
    if (m_bResizing)
        return;
    CBufferDC dc(this);
    CBrush backBrush(m_crBack);  // outlives the saved state, whose restoring deselects it
    const int savedState = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetBkMode(TRANSPARENT);
    if (m_font.GetSafeHandle())
        dc.SelectObject(m_font.GetSafeHandle());
    dc.SetBkColor(m_crBack);

    CRect client;
    GetClientRect(&client);
    dc.SelectObject(backBrush);
    dc.FillRect(&client, ::GetSysColorBrush(COLOR_BTNFACE));

    CString windowText;
    if (!m_pszText)
        GetWindowText(windowText);
    LPCWSTR text = m_pszText ? m_pszText.get() : windowText.GetString();

    CRect window;
    GetWindowRect(&window);
    if (HWND hParent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&window), 2);

    const int length = static_cast<int>(std::wcslen(text));
    const CSize extent = dc.GetTextExtent(text, length);
    int shown = length;
    while (shown > 0 && text[shown - 1] == L'\n')
        --shown;
    const int lines = shown > 0 ? 1 : 0;
    const int margin = m_bPinned ? PinMarkMargin(extent.cy) : 0;

    m_bResizing = TRUE;
    const int markWidth = m_bTeamMark ? TeamMarkWidth(extent.cy) : 0;
    MoveWindow(window.left, window.top, margin + extent.cx + 6 + markWidth, extent.cy + 2 + lines, FALSE);
    m_bResizing = FALSE;

    GetClientRect(&client);
    dc.SetBoundsRect(&client, DCB_DISABLE);
    const CRect back(0, 0, kBackFillRight, client.Height());
    dc.FillRect(&back, backBrush);

    if (m_bDisabled)
        dc.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    else if ((m_bHover || m_bHighlighted) && !m_bPressed)
        dc.SetTextColor(m_crHover);
    else if (m_bHover && m_bPressed)
        dc.SetTextColor(m_crPressed);
    else
        dc.SetTextColor(m_crLink);

    if (m_bPinned)
        DrawPinMark(dc, extent.cy, client.Height());
    if (lines == 1) {
        const int y = std::max<LONG>(0, client.Height() - (extent.cy + 2) - 1) / 2;
        dc.TextOut(margin + 1, y, text, shown);
    }
    if (m_bTeamMark)
        DrawTeamMark(dc, margin + (shown == length ? extent : dc.GetTextExtent(text, shown)).cx + 1,
                     client.Height(), extent.cy);
    dc.RestoreDC(savedState);
}

void CHyperLink::SetHighlighted(BOOL highlighted)
{
    if (m_bHighlighted == highlighted)
        return;
    m_bHighlighted = highlighted;
    Invalidate();
}

void CHyperLink::ShowLinkCursor()
{
    ::ShowCursor(FALSE);
    m_hPrevCursor = ::SetCursor(m_hLinkCursor);
    ::ShowCursor(TRUE);
}

bool CHyperLink::CursorOverRow() const
{
    CRect rect;
    GetClientRect(&rect);
    ClientToScreen(&rect);
    POINT cursor;
    ::GetCursorPos(&cursor);
    return ::PtInRect(&rect, cursor) && ::WindowFromPoint(cursor) == m_hWnd;
}

void CHyperLink::OnMouseMove(UINT nFlags, CPoint)
{
    if (!m_bDisabled)
        ShowLinkCursor();
    if (m_bHover)
        return;
    TrackLeave(m_hWnd, TME_LEAVE);
    m_bHover = TRUE;
    m_bPressed = (nFlags & MK_LBUTTON) != 0;
    Invalidate();
}

LRESULT CHyperLink::OnMouseLeave(WPARAM, LPARAM)
{
    TrackLeave(m_hWnd, TME_CANCEL | TME_LEAVE);
    m_bHover = FALSE;
    // A leave can be reported while the cursor is still over the row: look again a little later.
    const bool stillOver = CursorOverRow();
    if (stillOver)
        SetTimer(kHoverCheckTimer, kHoverCheckMs);
    if (!m_bDisabled) {
        ::ShowCursor(FALSE);
        ::SetCursor(m_hPrevCursor);
        ::ShowCursor(TRUE);
    }
    if (!stillOver)
        Invalidate();
    return 0;
}

void CHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverCheckTimer)
        return;
    KillTimer(kHoverCheckTimer);
    if (m_bPressed || CursorOverRow())
        return;
    m_bHover = FALSE;
    Invalidate();
}

void CHyperLink::Press()
{
    m_bPressed = TRUE;
    ::SetCapture(m_hWnd);
    Invalidate();
    GetClientRect(&m_rcPressed);
    ClientToScreen(&m_rcPressed);
}

void CHyperLink::OnLButtonDown(UINT, CPoint)
{
    if (!m_bDisabled)
        ShowLinkCursor();
    Press();
}

void CHyperLink::OnLButtonDblClk(UINT, CPoint)
{
    if (!m_bDisabled) {
        // With the notify style the static control tells its parent of the double click.
        if (!m_bNotifyOwner || (GetStyle() & SS_NOTIFY))
            Default();
        ShowLinkCursor();
    }
    Press();
}

void CHyperLink::OnLButtonUp(UINT, CPoint)
{
    if (!m_bDisabled)
        ShowLinkCursor();
    m_bPressed = FALSE;
    POINT cursor;
    ::GetCursorPos(&cursor);
    // All four edges of the pressed rectangle count as inside.
    m_bHover = cursor.x >= m_rcPressed.left && cursor.x <= m_rcPressed.right && cursor.y >= m_rcPressed.top &&
               cursor.y <= m_rcPressed.bottom;
    ::ReleaseCapture();
    Invalidate();
    if (m_bDisabled || !m_bHover)
        return;
    NotifyOwner();
    if (m_bNotifyOwner && !(GetStyle() & SS_NOTIFY))
        return;
    HWND hParent = ::GetParent(m_hWnd);
    const int id = GetDlgCtrlID();
    if (hParent && LOWORD(id) != 0)
        ::SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(LOWORD(id), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CHyperLink::OnCaptureChanged(CWnd*)
{
}
