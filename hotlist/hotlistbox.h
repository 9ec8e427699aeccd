// CHotListBox: the main window's list box; one link-like row control per entry, which it creates,
// places over the entry when the entry is drawn, owns, and whose clicks it passes on.
#pragma once

#include "framework/afxwin.h"

#include <map>
#include <memory>
#include <vector>

class CHyperLink;

// Control ids of rows: 1001 + this count, which grows by one per row created and never resets.
extern int g_rowCount;

class CHotListBox : public CListBox {
public:
    CHotListBox();
    ~CHotListBox() override;

    // Each row holds a window and a font. Windows gives a process 10,000 window and 10,000 GDI
    // handles (Wine's window table, shared by the whole session, ends the process at about 32,700);
    // past this many rows the main window's own menus, dialogs and paints would find none left.
    static constexpr int kMaxRows = 9000;

    // The window that receives the rows' click messages (the main window).
    void SetNotifyWnd(HWND hWnd) { m_hNotifyWnd = hWnd; }
    // Beyond kMaxRows rows an item still gets its entry, which stays blank.
    void AddRow(CString text, int id);
    // Deletes every row; call only while the list box has no entries, or when it goes away.
    void RemoveAllRows();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();

    // The rows in creation order; the list box's entries point at them.
    std::vector<std::unique_ptr<CHyperLink>> m_rows;
    HWND m_hNotifyWnd = nullptr;

private:
    // Makes, configures and keeps the row of one item; the row's window is created hidden.
    CHyperLink* CreateRow(LPCSTR text, int id, const CRect& client);
    // Hides the rows shown for entries that have left the visible part of the list.
    void HideRowsOutOfView();

    // Rows DrawItem has shown and not hidden since, by entry index.
    std::map<int, CHyperLink*> m_shownRows;

    DECLARE_MESSAGE_MAP()
};
