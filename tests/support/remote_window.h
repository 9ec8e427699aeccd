// Finding and reading the windows of another process.
#pragma once

#include <functional>
#include <string>
#include <windows.h>

namespace testing_support {

// A visible top-level window of the process for which matches holds; null when there is none.
HWND FindProcessWindow(DWORD processId, const std::function<bool(HWND)>& matches);
// The same once it shows, pumping this thread's messages meanwhile; null when none came in time.
HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& matches, DWORD timeoutMs = 15000);

// The window's text, asked for with WM_GETTEXT (which the system carries across processes).
std::wstring RemoteWindowText(HWND hWnd);

// Whether the window's class is the dialog class (#32770).
bool IsDialogClass(HWND hWnd);

}  // namespace testing_support
