// CMainApp: the application object; it runs the main window for the life of the process.
#pragma once

#include "framework/afxwin.h"

class CMainApp : public CWinApp {
public:
    CMainApp();

    // Runs the main window modally and returns FALSE, so the process ends when it closes.
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
