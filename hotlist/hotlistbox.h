// CHotListBox: the main window's list box; one link-like row control per entry, which it creates,
// places over the entry when the entry is drawn, owns, and whose clicks it passes on.
#pragma once

#include "framework/afxwin.h"

#include <vector>

class CHyperLink;

// Control ids of rows: 1001 + this count, which grows by one per row created and never resets.
extern int g_rowCount;

class CHotListBox : public CListBox {
public:
    CHotListBox() = default;
    ~CHotListBox() override;

    // The window that receives the rows' click messages (the main window).
    void SetNotifyWnd(HWND hWnd) { m_hNotifyWnd = hWnd; }
    void AddRow(CString text, int id);
    // Deletes every row; call only while the list box has no entries, or when it goes away.
    void RemoveAllRows();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);

    std::vector<CHyperLink*> m_rows;
    HWND m_hNotifyWnd = nullptr;

    DECLARE_MESSAGE_MAP()
};
