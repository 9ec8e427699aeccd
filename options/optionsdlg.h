// COptionsDlg: the options dialog, the minimise-after-copy setting, the global hotkey and clearing
// the click history.
#pragma once

#include "framework/afxwin.h"
#include "framework/global_hotkey.h"

class COptionsDlg : public CDialog {
public:
    // hotkey is the program's global hotkey: shown, and replaced when 确定 saves another one.
    explicit COptionsDlg(CGlobalHotkey& hotkey, CWnd* pParent = nullptr);
    ~COptionsDlg() override;

    // Set once a confirmed clear has run; the caller then shows the list in its new order.
    BOOL m_isHistoryCleared = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnOkButton();
    void OnCancelButton();
    void OnClearHistory();
    void OnClearHotkey();
    void OnBrowseTeamFile();
    void OnClearTeamFile();
    // The team file the user picks, or "" when they cancel.
    virtual CString ChooseTeamFile();

private:
    CGlobalHotkey& m_hotkey;

    DECLARE_MESSAGE_MAP()
};
