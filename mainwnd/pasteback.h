// Pasting into another program's window: what can be known before, and the keys themselves.
#pragma once

#include "mainwnd/previouswindow.h"

#include <windows.h>

#include <vector>

enum class PasteObstacle {
    None,
    NoWindow,    // the window has gone
    Desktop,     // the desktop was in front since: there is no window to go back to
    MoreRights,  // it runs with more rights than this program: Windows lets no key reach it
};

// What stands in the way of pasting into the window, seen before anything is done.
PasteObstacle PasteObstacleOf(HWND target);
// The same for the window the user came from (none: no window was followed).
PasteObstacle PasteObstacleOf(const CPreviousWindow* previous);

// The window is in front and the keyboard focus is in it, so that keys sent now reach it.
bool IsReadyForKeys(HWND target);

// Ctrl+V into the foreground window, with the modifier keys the user still holds let go first so
// that no stray key reaches it (Alt and Win after kNeutralKey). False when the system took not all
// of the keys.
bool SendPasteKeys();
// The keys SendPasteKeys sends while the keys held are down (VK_LSHIFT ... VK_RWIN).
std::vector<INPUT> PasteKeys(const std::vector<WORD>& held);

// The virtual-key code of keys that have none, which no program acts on: pressed between a held Alt
// or Win and its release, it makes the release no lone tap, which opens the window's menu bar or
// the Start menu.
constexpr WORD kNeutralKey = 0xFF;

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
    // Pastes into the window the user came from, as previous knows it (null: none).
    void Start(const CPreviousWindow* previous);
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
