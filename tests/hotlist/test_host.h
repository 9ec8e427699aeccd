// CTestHost: a visible top-level window that parents the controls under test and records what reaches it.
#pragma once

#include "framework/afxwin.h"

#include <functional>
#include <vector>

class CTestHost : public CWnd {
public:
    // Borderless, at the given screen position, with the given client size, in the foreground.
    CTestHost(int x, int y, int clientWidth, int clientHeight);
    ~CTestHost() override;

    // WM_ITEMCLICK messages that reached this window, in order.
    std::vector<MSG> m_itemClicks;
    // WM_COMMAND messages that reached this window, in order.
    std::vector<MSG> m_commands;
    // Other private messages (WM_USER and above) that reached this window.
    std::vector<MSG> m_otherPrivateMessages;
    // Runs instead of the default painting when set.
    std::function<void(CWnd*)> m_onPaint;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A list box child with exactly the styles of the main window's list (0x50210111), id 1002,
// whose window is width x height pixels at (x, y) of the parent's client area.
HWND CreateRowListBoxWindow(HWND hParent, int x, int y, int width, int height);

// Where the cursor waits between tests: over no test window, so that no row starts hovered.
constexpr int kParkX = 1015;
constexpr int kParkY = 380;
void ParkMouse();
