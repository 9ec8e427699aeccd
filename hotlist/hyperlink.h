// CHyperLink: one row of the hot list, shown like a link; it sizes itself to its text and reports clicks.
#pragma once

#include "framework/afxwin.h"

#include <memory>

// Blue at rest, red while hovered, purple while pressed; a completed click posts WM_ITEMCLICK with
// the item id to the owner window, then sends WM_COMMAND to the parent.
class CHyperLink : public CStatic {
    DECLARE_DYNAMIC(CHyperLink)
public:
    CHyperLink();
    ~CHyperLink() override;

    // The shown text; null shows the window text instead. Neither repaints.
    void SetText(LPCWSTR text);
    // The item id as decimal text; the click message carries its value.
    void SetItemId(LPCWSTR itemId);
    BOOL SetLinkFont(const LOGFONTW& logFont);
    void SetOwnerWnd(HWND hOwnerWnd) { m_hOwnerWnd = hOwnerWnd; }
    // 0 when the click message was posted, -1 when there is no id or notification is off.
    int NotifyOwner();
    // Shows the team mark after the text: the row is a team item. Repaints nothing.
    void SetTeamMark(BOOL team) { m_bTeamMark = team; }
    // Drawn as hovered whatever the mouse does: the row the keyboard has reached. Repaints.
    void SetHighlighted(BOOL highlighted);
    // The row of a pinned item: its mark in a margin before the text. Does not repaint.
    void SetPinned(BOOL pinned) { m_bPinned = pinned; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The row paints itself on WM_PAINT; there is nothing to draw here.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);

    std::unique_ptr<wchar_t[]> m_pszText;
    std::unique_ptr<wchar_t[]> m_pszItemId;
    BOOL m_bNotifyOwner = TRUE;
    CFont m_font;
    COLORREF m_crLink = RGB(0, 0, 255);
    COLORREF m_crHover = RGB(255, 0, 0);
    COLORREF m_crPressed = RGB(200, 0, 225);
    COLORREF m_crBack;
    HCURSOR m_hPrevCursor = nullptr;
    HCURSOR m_hLinkCursor;  // the shared system hand: never destroyed
    BOOL m_bDisabled = FALSE;
    HWND m_hOwnerWnd = nullptr;
    BOOL m_bHover = FALSE;
    BOOL m_bHighlighted = FALSE;
    BOOL m_bPinned = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bResizing = FALSE;
    BOOL m_bTeamMark = FALSE;
    CRect m_rcPressed;  // screen coordinates, taken at the last button-down

private:
    void ShowLinkCursor();
    // Press handling shared by a button-down and the second press of a double click.
    void Press();
    bool CursorOverRow() const;

    DECLARE_MESSAGE_MAP()
};
