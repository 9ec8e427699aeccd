// CContentColumn: the items list's content column, one line per row whatever the content.
#pragma once

#include "framework/afxwin.h"

#include <map>

// A content of several lines is shown by its first line (FirstLineShown); its whole text is kept
// here, by item id, so that the edit dialog gets the content itself and not what the row shows.
class CContentColumn {
public:
    explicit CContentColumn(CListCtrl& list) : m_list(list) {}
    CContentColumn(const CContentColumn&) = delete;
    CContentColumn& operator=(const CContentColumn&) = delete;

    // Puts the item's content into the content column of row.
    void Show(int row, int id, const CString& data1);
    // The whole content of the item at row, as last shown.
    CString Content(int row) const;
    // Drops what is kept for an item whose row is gone.
    void Forget(int id) { m_severalLines.erase(id); }

private:
    CListCtrl& m_list;
    std::map<int, CString> m_severalLines;  // only contents shown shortened
};
