// The application object and its start-up.
#include "app/mainapp.h"

#include "mainwnd/maindlg.h"
#include "mainwnd/product.h"

#include <shellapi.h>

namespace {

// /min, as the Run value that starts the program with Windows gives it.
bool AsksToStartMinimised()
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments)
        return false;
    bool minimised = false;
    for (int i = 1; i < count; ++i)
        minimised = minimised || ::lstrcmpiW(arguments[i], L"/min") == 0;
    ::LocalFree(arguments);
    return minimised;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMainApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one application object; the entry point runs it.
CMainApp theApp;

// The name captions the framework's own boxes, as it does the program's.
CMainApp::CMainApp() : CWinApp(kProductName)
{
}

BOOL CMainApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CMainDlg dlg;
    if (AsksToStartMinimised())
        dlg.StartMinimised();
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // The window is gone; nothing may reach it through the application any more.
    m_pMainWnd = nullptr;
    // The framework ends the process with the exit code of the pending quit request.
    return FALSE;
}
