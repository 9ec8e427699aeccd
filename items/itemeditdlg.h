// CItemEditDlg: edits one item's label and content; refuses an empty content.
#pragma once

#include "framework/afxwin.h"

#include <functional>

class CItemEditDlg : public CDialog {
public:
    CItemEditDlg();
    ~CItemEditDlg() override;

    // The longest content the content box is given at once: 1 MB of UTF-16.
    static constexpr size_t kMaxContentAtOnce = 512 * 1024;
    // The content box lays the text out without holding the program up: it is at most
    // kMaxContentAtOnce long, with neither long lines nor very many.
    static bool LaysOutAtOnce(const CString& content);

    // Set before the dialog runs; hold the edited texts after IDOK.
    CString m_title;
    CString m_data1;
    // Start in the content box with its text selected: a proposed content that typing replaces.
    BOOL m_bSelectData1 = FALSE;
    // A line shown under the boxes; none when empty.
    CString m_note;
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
