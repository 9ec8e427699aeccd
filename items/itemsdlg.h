// CItemsDlg: lists every item newest first; adds one typed by hand, edits, deletes the checked ones,
// imports a text file or the items file, exports the items file.
#pragma once

#include "framework/afxwin.h"
#include "items/deleteundo.h"
#include "items/itemexporter.h"
#include "items/itemimporter.h"
#include "items/itemrows.h"

#include <vector>

class CItemsDlg : public CDialog {
public:
    CItemsDlg();
    ~CItemsDlg() override;

    // The table was changed while the dialog was open; the caller reads it after DoModal.
    BOOL m_isDataChanged = FALSE;
    // The id of the row being edited.
    int m_editId = 0;
    // A list view that keeps only the count of its rows: the rows are m_rows.
    CListCtrl m_list;

    // Sets the check box of every row on (1) or off (0).
    void listCheckAll(CListCtrl& list, int on);
    // Removes every checked row from the list.
    void listDeleteChecked(CListCtrl& list);
    // The ids of the checked rows in list order, as "12,7,3"; "" when none is checked.
    CString listGetCheckedIds(CListCtrl& list);

    // The item id of a row and its check box, as the list shows them.
    int RowId(int row) const { return m_rows.IdAt(row); }
    bool IsRowChecked(int row) const { return m_rows.IsChecked(row); }

    // Ctrl+Z undoes the deletes wherever the focus is in the dialog.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What the last import and the last export in this dialog did.
    const CImportReport& LastImport() const { return m_lastImport; }
    const CExportReport& LastExport() const { return m_lastExport; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The file to import, or "" when the user cancels.
    virtual CString ChooseImportFile();
    // Where to export to, proposing defaultName, or "" when the user cancels.
    virtual CString ChooseExportFile(const CString& defaultName);

    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCacheHint(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFindItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDownList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblclkList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRclickList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelectAll();
    void OnSelectNone();
    void OnDeleteChecked();
    void OnNewItem();
    void OnImport();
    void OnExport();
    void OnUndoDelete();
    void OnPinChecked();
    void OnUnpinChecked();
    void OnTimer(UINT_PTR nIDEvent);

private:
    // How long a read of the list waits for another program's lock, and how often it is tried
    // again while the lock is held: the dialog keeps answering meanwhile.
    static constexpr int kListWaitMs = 200;
    static constexpr UINT_PTR kListRetryTimer = 1;
    static constexpr UINT kListRetryDelayMs = 1000;
    // Says that the list waits for another program's lock, and tries again on a timer.
    void ShowListBusy();
    // One more try: true when the list has been read.
    bool RetryList();
    // Shows how many items the undo puts back, or hides the undo when there are none.
    void ShowUndoOffer();

    LRESULT OnItemsUnreadable(WPARAM, LPARAM);
    LRESULT OnDpiChanged(WPARAM, LPARAM);
    // Says what came in (for the items file, what was skipped too), or what went wrong.
    void ReportImport(const CImportReport& report);
    // Tells the list how many rows there are now, keeping its scroll position.
    void ShowRowCount();
    // Reads which items are pinned; the list marks them in its third column.
    void LoadPins();
    bool IsRowPinned(int row) const;
    // Pins (or unpins) the checked items, the list kept in its own order.
    void PinChecked(bool pinned);
    void ToggleCheck(int row);
    // The team's rows cannot change here: when rows hold any, says so, offers copies of them as
    // the user's own items, and gives true.
    bool RefuseTeamChange(const std::vector<int>& rows);
    void RemoveRow(int row);

    CItemRows m_rows;
    CDeleteUndo m_undo;
    std::vector<long long> m_pinned;  // the pinned ids, ascending
    bool m_loadPending = false;  // the ids wait for another program's lock
    bool m_listBusyShown = false;
    bool m_unreadableSaid = false;
    UINT m_dpi = 0;  // the DPI the list's columns are sized for
    CImportReport m_lastImport;
    CExportReport m_lastExport;

    DECLARE_MESSAGE_MAP()
};
