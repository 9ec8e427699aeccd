// Running the main window in this process: a fixture with its database beside the program,
// and the small helpers that look at and poke the window the way the system would.
#pragma once

#include "hotlist/itemclick.h"
#include "mainwnd/trayicon.h"
#include "tests/mainwnd/modal_run.h"
#include "tests/mainwnd/probed_maindlg.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <windows.h>

namespace testing_support {

constexpr UINT kTrayMessage = TRAY_ID;  // the tray icon's callback message and id
constexpr wchar_t kReady[] = L"就绪";

// A key message as the keyboard would post it (with Alt held for WM_SYSKEYDOWN combinations).
void PostKey(HWND hWnd, UINT message, UINT key, bool altDown);
bool CursorAt(int x, int y);

// Each test builds its script from the steps below, then calls Run.
class MainWindowFixture : public ::testing::Test {
protected:
    // An empty item database where the program looks for it.
    void SetUp() override;
    void TearDown() override;

    HWND Main() const { return m_dlg.m_hWnd; }

    CModalScript& WaitUntilShown();
    // Everything posted to the main window before this step, and whatever that posted in turn,
    // has been handled once a click notification posted now has reached CopyItem.
    CModalScript& SettlePosted();
    CModalScript& CloseWithCloseBox();
    CModalScript& Minimise();
    // Runs the main window until the script or the program ends it; the run must not fail.
    ModalOutcome Run();
    // CopyItem calls other than the ones SettlePosted made.
    std::vector<int> Clicks() const;

    std::wstring m_dbPath;
    CProbedMainDlg m_dlg;
    CModalScript m_script;

private:
    int m_nextSentinel = 0;
};

}  // namespace testing_support
