// The import run off the window's thread, with a progress window for one that takes a while.
#pragma once

#include "framework/afxwin.h"
#include "items/itemimporter.h"

// Shows how far an import has come and lets the user cancel it; ends itself once the import's
// thread has.
class CImportProgressDlg : public CDialog {
public:
    CImportProgressDlg(CImportProgress& progress, HANDLE importThread, CWnd* owner);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;      // Enter does not end an import
    void OnCancel() override;  // the button, Esc and the close box cancel it
    void OnTimer(UINT_PTR nIDEvent);

private:
    void ShowProgress();

    CImportProgress& m_progress;
    HANDLE m_importThread;

    DECLARE_MESSAGE_MAP()
};

// Imports the file on a thread of its own, so that the window goes on painting. An import that
// has not ended after about half a second gets the progress window, modal over owner.
CImportReport RunImport(CWnd* owner, const CString& connStr, const CString& path);
