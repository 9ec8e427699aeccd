// CHotListSearch: the hot list narrowed to the items a query finds, and the keyboard's highlight.
#pragma once

#include "framework/afxwin.h"
#include "hotlist/hotlistbox.h"
#include "mainwnd/search/search_index.h"

#include <vector>

class CHotListSearch {
public:
    // Forgets every item: the list is being filled again.
    void Clear();
    // The next item of the list, in the order its rows were added.
    void Add(const CString& label, const CString& content);

    // Shows in list the items the query finds, in heat order, the top one highlighted; every
    // item, and no highlight, for a query of blanks or nothing.
    void Apply(CHotListBox& list, const CString& query);
    // Moves the highlight by rows (negative: up), within the rows shown.
    static void MoveHighlight(CHotListBox& list, int rows);

private:
    CSearchIndex m_index;
    CString m_lastQuery;        // the query m_lastMatches answer; empty when every row is shown
    std::vector<int> m_lastMatches;
};
