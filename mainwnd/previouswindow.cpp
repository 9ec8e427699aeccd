// CPreviousWindow: the foreground event, and what counts as another program's window.
#include "mainwnd/previouswindow.h"

namespace {

// The follower the hook reports to.
CPreviousWindow* follower = nullptr;

bool IsDesktop(HWND window)
{
    if (window == ::GetDesktopWindow() || window == ::GetShellWindow())
        return true;
    // The shell's desktop: Progman, or a WorkerW that holds the icons' view in its place.
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, ARRAYSIZE(className));
    return lstrcmpW(className, L"Progman") == 0 ||
           (lstrcmpW(className, L"WorkerW") == 0 &&
            ::FindWindowExW(window, nullptr, L"SHELLDLL_DefView", nullptr));
}

}  // namespace

CPreviousWindow::CPreviousWindow(DWORD ownProcessId) : m_ownProcessId(ownProcessId)
{
    follower = this;
    // Out of context: the events come as messages to this thread, no code in other processes.
    m_hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnForeground, 0, 0,
                               WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    Note(::GetForegroundWindow());
}

CPreviousWindow::~CPreviousWindow()
{
    if (m_hook)
        ::UnhookWinEvent(m_hook);
    if (follower == this)
        follower = nullptr;
}

HWND CPreviousWindow::Get() const
{
    return m_window && ::IsWindow(m_window) ? m_window : nullptr;
}

void CALLBACK CPreviousWindow::OnForeground(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD,
                                            DWORD)
{
    if (follower && object == OBJID_WINDOW)
        follower->Note(window);
}

void CPreviousWindow::Note(HWND window)
{
    if (!window || !::IsWindow(window))
        return;
    // A click on the desktop leaves every window: a paste then would land where the user no longer is.
    if (IsDesktop(window)) {
        m_window = nullptr;
        m_cameFromDesktop = true;
        return;
    }
    window = ::GetAncestor(window, GA_ROOT);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    // The taskbar is no place to paste into, and the way to this program; neither is this program,
    // nor a window that is gone from sight or a tool window (a palette, a pop-up of the shell).
    if (processId == m_ownProcessId || !::IsWindowVisible(window) ||
        (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return;
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, ARRAYSIZE(className));
    if (lstrcmpW(className, L"Shell_TrayWnd") == 0)
        return;
    m_window = window;
    m_cameFromDesktop = false;
}
