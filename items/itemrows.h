// CItemRows: the items list's rows for a list view that keeps only their count.
#pragma once

#include "base/cstring.h"
#include "store/rowquery.h"

#include <unordered_map>
#include <vector>

// Keeps each row's item id and check state; the texts are read from the table a screenful at a
// time as rows come into view, and kept while they are likely to be drawn again. So opening,
// checking every row and closing cost the same for a hundred items as for a million.
class CItemRows {
public:
    struct Texts {
        CString title;
        CString data1;  // the whole content; the list shows its first line
    };

    // A row's item and where it stands: rows stand in ascending order of their order numbers, so
    // that a row put back finds its place among rows added or removed meanwhile.
    struct Place {
        int id;
        int order;
    };

    CItemRows() = default;
    CItemRows(const CItemRows&) = delete;
    CItemRows& operator=(const CItemRows&) = delete;

    // Reads every item's id, newest first, over this connection string (kept for the texts).
    // Busy: another program's lock kept them out, and nothing is listed.
    RowQueryEnd Load(const CString& connStr);

    int Count() const { return static_cast<int>(m_ids.size()); }
    int IdAt(int row) const { return m_ids[static_cast<size_t>(row)]; }
    // Every row's item id, in list order.
    const std::vector<int>& Ids() const { return m_ids; }
    // The texts of a row as last read or written; an item another program deleted shows empty.
    const Texts& TextsAt(int row);
    // Reads the texts of rows [first, last] at once, ahead of drawing them.
    void Prefetch(int first, int last);
    // False once a read of texts failed (the rows it was for show empty).
    bool TextsReadable() const { return m_textsReadable; }
    // True once a read of texts found another program's lock: rows not read yet show empty and
    // nothing is read (no wait for the lock at each paint) until RetryTexts.
    bool TextsBusy() const { return m_textsBusy; }
    void RetryTexts() { m_textsBusy = false; }
    // The row's texts have been read (or written): they are the item's, not blanks.
    bool TextsKnown(int row) const { return m_texts.count(IdAt(row)) != 0; }

    bool IsChecked(int row) const { return m_checked[static_cast<size_t>(row)] != 0; }
    void SetChecked(int row, bool checked) { m_checked[static_cast<size_t>(row)] = checked; }
    void CheckAll(bool checked);
    // The ids of the checked rows, in list order.
    std::vector<int> CheckedIds() const;
    // The same with their places.
    std::vector<Place> CheckedPlaces() const;

    // A new item heads the list.
    void AddFirst(int id, const Texts& texts);
    // Items added after the rest (an import), in order.
    void AddLast(const std::vector<int>& ids);
    // The texts of an item that were just written.
    void Remember(int id, const Texts& texts) { m_texts[id] = texts; }
    void RemoveRow(int row);
    void RemoveChecked();
    // Rows removed before come back, unchecked, at their places.
    void PutBack(std::vector<Place> places);

private:
    CString m_connStr;
    std::vector<int> m_ids;
    std::vector<int> m_order;     // one per row, ascending
    int m_firstOrder = 0;         // the lowest order number given out so far
    int m_lastOrder = -1;         // and the highest
    std::vector<char> m_checked;  // one per row; not vector<bool>, so a row is a byte to flip
    std::unordered_map<int, Texts> m_texts;
    bool m_textsReadable = true;
    bool m_textsBusy = false;
};
