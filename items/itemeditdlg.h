// CItemEditDlg: edits one item's label and content; refuses an empty content.
#pragma once

#include "framework/afxwin.h"

#include <functional>

class CItemEditDlg : public CDialog {
public:
    CItemEditDlg();
    ~CItemEditDlg() override;

    // Set before the dialog runs; hold the edited texts after IDOK.
    CString m_title;
    CString m_data1;
    // Start in the content box with its text selected: a proposed content that typing replaces.
    BOOL m_bSelectData1 = FALSE;
    // Saves the confirmed texts (in m_title and m_data1) while the dialog is still up. False
    // keeps it open with what was typed, after the saver has said why over it. Unset: OK closes.
    std::function<bool(CItemEditDlg&)> m_fnSave;

protected:
    // The texts move between the members and the boxes in OnInitDialog and OnOK only.
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
};
