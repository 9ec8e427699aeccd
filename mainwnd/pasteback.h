// Pasting into another program's window: what can be known before, and the keys themselves.
#pragma once

#include <windows.h>

enum class PasteObstacle {
    None,
    NoWindow,   // the window has gone
    MoreRights  // it runs with more rights than this program: Windows lets no key reach it
};

// What stands in the way of pasting into the window, seen before anything is done.
PasteObstacle PasteObstacleOf(HWND target);

// The window is in front and the keyboard focus is in it, so that keys sent now reach it.
bool IsReadyForKeys(HWND target);

// Ctrl+V into the foreground window, with the modifier keys the user still holds let go first so
// that no stray key reaches it. False when the system took not all of the keys.
bool SendPasteKeys();

class CWnd;
class CStatusLine;

// CPasteBack: after a copy, with the setting on: back to the window the user came from, and Ctrl+V
// there once it has taken the keyboard. When that cannot be, the main window comes back and the
// status line says why until the next copy; the text stays on the clipboard.
class CPasteBack {
public:
    static constexpr UINT kTickMs = 20;  // how often it looks whether the window is ready
    static constexpr int kTicks = 50;    // a second at most

    void Attach(CWnd* main, CStatusLine* status, UINT_PTR timerId);
    void Start(HWND target);
    // The timer given to Attach fired.
    void OnTimer();
    void Cancel();

private:
    void Fail(const wchar_t* text);

    CWnd* m_main = nullptr;
    CStatusLine* m_status = nullptr;
    UINT_PTR m_timerId = 0;
    HWND m_target = nullptr;  // while waiting for it to come to the front
    int m_ticks = 0;
};
