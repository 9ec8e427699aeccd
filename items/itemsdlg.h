// CItemsDlg: lists every item newest first; adds one typed by hand, edits, deletes the checked ones,
// imports a text file.
#pragma once

#include "framework/afxwin.h"
#include "items/contentcolumn.h"
#include "items/itemimporter.h"

class CItemsDlg : public CDialog {
public:
    CItemsDlg();
    ~CItemsDlg() override;

    // The table was changed while the dialog was open; the caller reads it after DoModal.
    BOOL m_isDataChanged = FALSE;
    // The id of the row being edited.
    int m_editId = 0;
    CListCtrl m_list;

    // Sets the check box of every row on (1) or off (0).
    void listCheckAll(CListCtrl& list, int on);
    // Removes every checked row from the list.
    void listDeleteChecked(CListCtrl& list);
    // The ids of the checked rows in list order, as "12,7,3"; "" when none is checked.
    CString listGetCheckedIds(CListCtrl& list);

    // What the last import in this dialog did.
    const CImportReport& LastImport() const { return m_lastImport; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The file to import, or "" when the user cancels.
    virtual CString ChooseImportFile();

    void OnDblclkList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRclickList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelectAll();
    void OnSelectNone();
    void OnDeleteChecked();
    void OnNewItem();
    void OnImport();

private:
    // False when the items could not all be read.
    bool LoadItems();
    LRESULT OnItemsUnreadable(WPARAM, LPARAM);
    void ReportImportProblem(const CImportReport& report);

    CImportReport m_lastImport;
    CContentColumn m_contents{m_list};

    DECLARE_MESSAGE_MAP()
};
