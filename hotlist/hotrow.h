// CHotRow: one item of the hot list as its entry holds it for the whole run: the row's text, item id
// and control id, and the row control only while the entry has a window.
#pragma once

#include "hotlist/hyperlink.h"

#include <list>
#include <memory>

class CHotRow {
public:
    CHotRow(LPCWSTR text, int itemId, UINT controlId);
    CHotRow(const CHotRow&) = delete;
    CHotRow& operator=(const CHotRow&) = delete;

    // The row control, or null while the entry has no window.
    CHyperLink* Row() const { return m_row.get(); }
    // Gives the entry its row control: a hidden child of pList at rect, with this entry's text,
    // item id, control id and font, reporting its clicks to hOwner.
    CHyperLink* CreateRow(CWnd* pList, HWND hOwner, const CRect& rect);
    // Lets the row control go with its window and font; the entry keeps what makes it again.
    void ReleaseRow() { m_row.reset(); }
    UINT ControlId() const { return m_nControlId; }
    int ItemId() const { return m_nItemId; }

    // The entry's index in the list box, -1 while it is not shown.
    int m_nIndex = -1;
    // Where the row stands among the live rows of its list; meaningful only while Row() is set.
    std::list<CHotRow*>::iterator m_itLive;

private:
    std::unique_ptr<wchar_t[]> m_pszText;
    int m_nItemId;
    UINT m_nControlId;
    std::unique_ptr<CHyperLink> m_row;
};
