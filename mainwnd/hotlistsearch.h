// CHotListSearch: the hot list narrowed to the items a query finds, and the keyboard's highlight.
// The items come in chunks, as the list loads them: a query applies to what has come so far, and
// to each chunk as it comes.
#pragma once

#include "framework/afxwin.h"
#include "hotlist/hotlistbox.h"
#include "mainwnd/search/search_index.h"

#include <vector>

class CHotListSearch : public IHotRowTexts {
public:
    // The row of an item: its label's first line, or its content's when the label is empty.
    std::wstring RowText(int position) const override;

    // Forgets every item: the list is being filled again. The query stays for the new items.
    void Clear();
    // The next items, in the order their rows were added. While a query is applied, returns the
    // positions among all items of those it finds, for the list to show after its entries.
    std::vector<int> AddChunk(CSearchIndex chunk);
    // Whether the list shows the items a query found rather than every item.
    bool IsFiltering() const { return !m_lastQuery.IsEmpty(); }

    // Shows in list the items the query finds, in heat order, the top one highlighted; every
    // item, and no highlight, for a query of blanks or nothing.
    void Apply(CHotListBox& list, const CString& query);
    // Apply again over every item, even for the query applied last.
    void Reapply(CHotListBox& list, const CString& query);
    // Moves the highlight by rows (negative: up), within the rows shown.
    static void MoveHighlight(CHotListBox& list, int rows);

private:
    int Count() const;
    // The chunk that holds the item at a position among all items.
    size_t ChunkOf(int position) const;
    // The items of every chunk the terms find, ascending; within those of `within` when given.
    std::vector<int> Filter(const CString& query, const std::vector<int>* within) const;

    std::vector<CSearchIndex> m_chunks;
    std::vector<int> m_chunkStarts;  // the position of each chunk's first item among all items
    CString m_lastQuery;             // the query m_lastMatches answer; empty when every row is shown
    std::vector<int> m_lastMatches;
};
