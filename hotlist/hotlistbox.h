// CHotListBox: the main window's list box; one entry per item shown, and a link-like row control over
// each entry on screen, which it creates when the entry is drawn, places, owns, and lets go off screen.
// The list box itself keeps only the count of its entries (LBS_NODATA): the items are kept here,
// compactly, and which item an entry shows is a position among them, so that showing another
// selection of the items costs one message.
#pragma once

#include "framework/afxwin.h"
#include "hotlist/hotrow.h"
#include "hotlist/hotrowbatch.h"

#include <list>
#include <memory>
#include <vector>

// Control ids of rows: 1001 + this count, which grows by one per item added and never resets.
extern int g_rowCount;

// Where the list finds the text of an item's row when its rows keep ids alone: the texts are kept
// once, where the search keeps them, and a row is only made for the few items on screen.
class IHotRowTexts {
public:
    virtual ~IHotRowTexts() = default;
    // The text of the row of the item at a position among those added.
    virtual std::wstring RowText(int position) const = 0;
};

class CHotListBox : public CListBox {
public:
    CHotListBox();
    ~CHotListBox() override;

    // Row windows kept alive at most, those on screen included. A page shows about 17 entries (each
    // is 6 % of the list's height), so this keeps some six pages around the one in view ready to
    // show again without being made anew. Every row window costs a window and a font handle
    // (Windows gives a process 10,000 of each; Wine's window table, shared by the whole session,
    // holds about 32,700), under Wine it takes 0.3-0.6 ms to make, and each scroll of the list
    // moves every row window along with it, shown or not: so the rows must not grow with the
    // number of items, and a small bound keeps scrolling cheap too.
    static constexpr size_t kMaxLiveRows = 100;

    // The window that receives the rows' click messages (the main window).
    void SetNotifyWnd(HWND hWnd) { m_hNotifyWnd = hWnd; }
    // Rows added with ids alone take their texts from here.
    void SetRowTexts(const IHotRowTexts* texts) { m_rowTexts = texts; }
    // Adds the item's entry at the end of those shown; its row gets a window when the entry is
    // first drawn.
    void AddRow(CString text, int id);
    // Adds the items after those added before; shown at the end of the entries when `shown`, else
    // kept for a later ShowRows. The list box's count is set once for them all.
    void AddRows(CHotRowBatch rows, bool shown = true);
    // The first `count` items added are pinned: their rows carry the pin's mark.
    void SetPinnedCount(int count) { m_pinnedCount = count; }
    bool IsPinned(int index) const;
    // Deletes every row (none pinned then); entries left in the list box draw nothing.
    void RemoveAllRows();
    // How many items were added.
    int RowCount() const { return m_rows.Count(); }

    // Shows only these items, in this order: positions among the rows in the order added.
    void ShowRows(std::vector<int> rows);
    // Shows these items too, after the entries shown, keeping the view where it is.
    void AppendShownRows(const std::vector<int>& rows);
    // Shows every item again, in the order added.
    void ShowAllRows();
    // The item id of an entry shown, or 0 for none.
    int ItemIdAt(int index) const;
    // The text of an entry shown, or "" for none.
    std::wstring TextAt(int index) const;

    // Every entry's height from now on, in pixels; 0 (the default): 6 % of the list's height when
    // its first entry is added. A window that can be resized gives one, so that rows keep their size.
    void SetEntryHeight(int pixels);
    // The window now shows at another DPI: the rows on screen are made again in the font for it.
    void OnDpiChanged();

    // The entry drawn as hovered for the keyboard (-1: none); scrolled into view.
    void SetHighlight(int index);
    int Highlight() const { return m_highlight; }
    // Entries a page of the list shows (at least one).
    int EntriesPerPage() const;
    // Entries that show on screen at once, the one cut at the bottom included.
    int EntriesOnScreen() const;

    // The entry shown at a point of the list's client area, or -1 below the last one.
    int EntryAt(POINT point) const;
    // The row control over an entry, or null while the entry has no window.
    CHyperLink* RowWindow(int index) const;
    // How many rows have a window now.
    size_t LiveRowCount() const { return m_liveRows.size(); }
    // How many entries the list shows.
    int ShownCount() const { return m_allShown ? m_rows.Count() : static_cast<int>(m_shown.size()); }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();

    // Every item in the order added.
    CHotRowStore m_rows;
    // Whether the entries are every item in the order added; else m_shown says which.
    bool m_allShown = true;
    // The position among m_rows of the item each entry of the list box shows.
    std::vector<int> m_shown;
    int m_highlight = -1;
    int m_pinnedCount = 0;
    HWND m_hNotifyWnd = nullptr;

private:
    // A row that has a window: which item it shows, and over which entry (-1: none now).
    struct CLiveRow {
        int position = 0;
        int entry = -1;
        std::unique_ptr<CHotRow> row;
    };

    // The entry's row window, made (hidden) if it has none, then counted as the most recently drawn.
    CHyperLink* LiveRow(int entry);
    CLiveRow* FindLiveRow(int entry) const;
    // Lets the least recently drawn rows go until fewer than the bound are left, sparing rows on
    // screen and the row that holds the mouse.
    void ReleaseOldRows();
    bool EntryInView(int index, const CRect& client) const;
    // Hides the rows shown for entries that have left the visible part of the list.
    void HideRowsOutOfView();
    // Sets the list box's count to the entries shown; false when it refused.
    bool SetEntryCount();
    // The position among m_rows of the item an entry shows; -1 for none.
    int PositionAt(int entry) const;
    void ForgetEntriesOfLiveRows();
    // The first item's entry height is every entry's: the one given, or 6 % of the list's height.
    void ApplyEntryHeight();
    int CurrentEntryHeight() const;

    // The rows that have a window, the most recently drawn first.
    mutable std::list<CLiveRow> m_liveRows;
    // The control id of the first item added: items keep the ids their adding gave them.
    int m_firstControlId = 0;
    const IHotRowTexts* m_rowTexts = nullptr;
    int m_entryHeight = 0;  // 0: from the list's height
    // The text of the item at a position among those added.
    std::wstring RowTextAt(int position) const;

    DECLARE_MESSAGE_MAP()
};
