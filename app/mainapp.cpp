// The application object (placeholder main window until the real one lands).
#include "framework/afxwin.h"
#include "res/resource.h"

class CMainApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        CDialog dlg(IDD_MAIN);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        return FALSE;
    }
};

CMainApp theApp;
