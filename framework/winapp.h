// CWinApp: the one application object; the entry point runs its InitInstance.
#pragma once

#include "framework/wnd.h"

// The standard help command.
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the process with the exit code of the pending WM_QUIT (0 when there is none).
    virtual BOOL InitInstance();
    // The message loop, for applications whose InitInstance returns TRUE.
    virtual int Run();

    // The default help handler: the program has no help file, so there is nothing to show.
    void OnHelp();
    // Kept for the start-up sequence; 3D controls are the system's own look since Windows 95.
    void Enable3dControls() {}

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPCWSTR m_pszAppName = nullptr;

private:
    CWinApp* m_pPreviousApp;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// Kept for the start-up sequence; the program hosts no ActiveX controls.
inline void AfxEnableControlContainer() {}

// Frees the temporary wrappers (windows, DCs) handed out since the loop was last idle. Every
// message loop calls it when its queue is empty: a wrapper from FromHandle lives until then.
void AfxDeleteTempMaps();

// The body of WinMain: initialises common controls, runs the application object.
int AfxWinMain();
