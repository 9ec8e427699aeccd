// CWinApp and the process entry.
#include "framework/winapp.h"

#include "framework/dc.h"

#include <commctrl.h>

namespace {

CWinApp*& TheApp()
{
    static CWinApp* app = nullptr;
    return app;
}

}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR appName) : m_pszAppName(appName), m_pPreviousApp(TheApp())
{
    TheApp() = this;
    m_hInstance = ::GetModuleHandleW(nullptr);
}

CWinApp::~CWinApp()
{
    if (TheApp() == this)
        TheApp() = m_pPreviousApp;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            AfxDeleteTempMaps();
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
            break;
        if (CWnd::WalkPreTranslateTree(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void CWinApp::OnHelp()
{
}

CWinApp* AfxGetApp()
{
    return TheApp();
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = TheApp();
    return app ? app->m_pMainWnd : nullptr;
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
}

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return ::GetModuleHandleW(nullptr);
}

int AfxWinMain()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = AfxGetInstanceHandle();
    if (app->InitInstance())
        return app->Run();
    MSG quit;
    if (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return static_cast<int>(quit.wParam);
    return 0;
}
