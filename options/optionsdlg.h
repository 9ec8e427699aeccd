// COptionsDlg: the options dialog, the minimise-after-copy setting and clearing the click history.
#pragma once

#include "framework/afxwin.h"

class COptionsDlg : public CDialog {
public:
    explicit COptionsDlg(CWnd* pParent = nullptr);
    ~COptionsDlg() override;

    // Set once a confirmed clear has run; the caller then asks for a restart.
    BOOL m_isHistoryCleared = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnOkButton();
    void OnCancelButton();
    void OnClearHistory();

    DECLARE_MESSAGE_MAP()
};
