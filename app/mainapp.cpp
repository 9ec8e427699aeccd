// The application object and its start-up.
#include "app/mainapp.h"

#include "mainwnd/maindlg.h"

BEGIN_MESSAGE_MAP(CMainApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one application object; the entry point runs it.
CMainApp theApp;

BOOL CMainApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CMainDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // The window is gone; nothing may reach it through the application any more.
    m_pMainWnd = nullptr;
    // The framework ends the process with the exit code of the pending quit request.
    return FALSE;
}
