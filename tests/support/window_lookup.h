// This thread's windows as the user sees them, and the application's main window for a test.
#pragma once

#include "framework/afxwin.h"

#include <string>

namespace testing_support {

// The window exists and shows (a dialog from its first showing to its end).
bool IsUp(HWND window);
inline bool IsUp(const CWnd& window)
{
    return IsUp(window.m_hWnd);
}

// The open pop-up menu window (#32768) of this thread, or null.
HWND FindPopupMenu();

// The main window's status line.
std::wstring StatusText(HWND main);

// The application's main window for the duration of a scope.
class CMainWindowScope {
public:
    explicit CMainWindowScope(CWnd* wnd) { AfxGetApp()->m_pMainWnd = wnd; }
    ~CMainWindowScope() { AfxGetApp()->m_pMainWnd = nullptr; }
    CMainWindowScope(const CMainWindowScope&) = delete;
    CMainWindowScope& operator=(const CMainWindowScope&) = delete;
};

}  // namespace testing_support
