// CPreviousWindow: the last top-level window of another program that was in front, so that a
// chosen item can be pasted where the user came from; none once the desktop has been in front.
#pragma once

#include <windows.h>

// Follows the foreground through a window event hook for as long as it lives. One per process:
// the hook's callback carries no context of its own.
class CPreviousWindow {
public:
    explicit CPreviousWindow(DWORD ownProcessId = ::GetCurrentProcessId());
    ~CPreviousWindow();
    CPreviousWindow(const CPreviousWindow&) = delete;
    CPreviousWindow& operator=(const CPreviousWindow&) = delete;

    // The window, or null when there was none, the desktop came after it, or it has gone since.
    HWND Get() const;
    // The desktop was in front after every window noted: there is no window to go back to.
    bool CameFromDesktop() const { return m_cameFromDesktop; }
    // Takes the window in front now, if it is another program's: where the system reports no
    // foreground change of another program, the moments this program is left or called up.
    void NoteForeground() { Note(::GetForegroundWindow()); }

private:
    static void CALLBACK OnForeground(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                      DWORD thread, DWORD time);
    void Note(HWND window);

    DWORD m_ownProcessId;
    HWINEVENTHOOK m_hook = nullptr;
    HWND m_window = nullptr;
    bool m_cameFromDesktop = false;
};
