// The tray icon of the main window: its callbacks, its menu, the about command, the re-created
// notification area, and real clicks on the icon in the shell's notification area.
#include "res/resource.h"
#include "res/version.h"
#include "tests/mainwnd/main_window_fixture.h"
#include "tests/mainwnd/tray_probe.h"
#include "tests/support/message_box.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

class TrayIcon : public MainWindowFixture {
protected:
    CModalScript& PostTrayCallback(WPARAM id, LPARAM mouseMessage)
    {
        return m_script.Then([=] { return ::PostMessageW(Main(), kTrayMessage, id, mouseMessage) != FALSE; });
    }
    CModalScript& WaitUntilShownNormally(const char* name)
    {
        return m_script.Then([this] { return ::IsWindowVisible(Main()) && !::IsIconic(Main()); }, 3000, name);
    }
    CModalScript& WaitForMenu(HWND* menuWindow)
    {
        return m_script.Then([=] { return (*menuWindow = FindPopupMenu()) != nullptr; }, 3000,
                             "the menu opens");
    }
};

TEST_F(TrayIcon, LeftButtonUpShowsAMinimisedOrHiddenWindowInFront)
{
    WaitUntilShown();
    Minimise();
    PostTrayCallback(kTrayMessage, WM_LBUTTONUP);
    WaitUntilShownNormally("restored from minimised").Then([this] {
        EXPECT_EQ(::GetForegroundWindow(), Main());
        ::ShowWindow(Main(), SW_HIDE);
        return true;
    });
    m_script.Then([this] { return !::IsWindowVisible(Main()); }, 3000, "hidden");
    PostTrayCallback(kTrayMessage, WM_LBUTTONUP);
    WaitUntilShownNormally("shown from hidden");
    CloseWithCloseBox();
    Run();
}

TEST_F(TrayIcon, OtherCallbacksDoNothing)
{
    WaitUntilShown();
    Minimise();
    PostTrayCallback(7, WM_LBUTTONUP);  // not our icon's id
    PostTrayCallback(kTrayMessage, WM_RBUTTONUP);
    PostTrayCallback(kTrayMessage, WM_LBUTTONDBLCLK);
    PostTrayCallback(kTrayMessage, WM_MOUSEMOVE);
    SettlePosted().Then([this] {
        EXPECT_TRUE(::IsIconic(Main()));
        EXPECT_EQ(FindPopupMenu(), nullptr);
        return true;
    });
    CloseWithCloseBox();
    Run();
}

TEST_F(TrayIcon, RightButtonDownOpensTheTrayMenuAtTheCursorWithTheMainWindowInFront)
{
    HWND menuWindow = nullptr;
    // The user was last in another window: the menu must still take keys and close on a click
    // elsewhere, which it does only with its owner in the foreground.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 300, 200, 100,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    WaitUntilShown()
        .Then([] { return ::SetCursorPos(300, 200) != FALSE; })
        .Then([] { return CursorAt(300, 200); }, 3000, "the cursor moves")
        .Then([&] { return ::SetForegroundWindow(other) && ::GetForegroundWindow() == other; }, 3000,
              "another window in front");
    PostTrayCallback(kTrayMessage, WM_RBUTTONDOWN);
    WaitForMenu(&menuWindow)
        .Then([&] {
            EXPECT_EQ(::GetForegroundWindow(), Main());
            HMENU shown = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
            EXPECT_EQ(::GetMenuItemCount(shown), 6);
            EXPECT_EQ(::GetMenuItemID(shown, 0), static_cast<UINT>(ID_TRAY_ITEMS));
            EXPECT_EQ(::GetMenuItemID(shown, 5), static_cast<UINT>(ID_TRAY_EXIT));
            RECT rect = {};
            ::GetWindowRect(menuWindow, &rect);
            EXPECT_EQ(rect.left, 300);
            EXPECT_EQ(rect.top, 200);
            ::EndMenu();
            return true;
        })
        .Then([] { return FindPopupMenu() == nullptr; }, 3000, "the menu closes");
    SettlePosted();
    CloseWithCloseBox();
    ModalOutcome outcome = Run();
    ::DestroyWindow(other);

    EXPECT_EQ(outcome.result, IDCANCEL) << "closing the menu leaves the program running";
}

TEST_F(TrayIcon, AnEntryChosenInTheMenuReachesTheMainWindow)
{
    HWND menuWindow = nullptr;
    WaitUntilShown();
    PostTrayCallback(kTrayMessage, WM_RBUTTONDOWN);
    WaitForMenu(&menuWindow)
        .Then([&] {
            // Up from no selection wraps to the last entry, 退出.
            PostKey(menuWindow, WM_KEYDOWN, VK_UP, false);
            PostKey(menuWindow, WM_KEYDOWN, VK_RETURN, false);
            return true;
        })
        .Then([] { return false; }, 3000, "the program ends");
    ModalOutcome outcome = RunModal(m_dlg, m_script);

    EXPECT_EQ(outcome.quitCode, 0) << "退出 ended the program";
}

TEST_F(TrayIcon, AboutShowsTheProductNameAndVersionOfTheDescriptor)
{
    SeenBox about;
    WaitUntilShown()
        .Then([this] { return ::PostMessageW(Main(), WM_COMMAND, ID_TRAY_ABOUT, 0) != FALSE; })
        .Then(AnswerBox(about), 3000, "the about box opens")
        .Then([] { return FindSystemDialog() == nullptr; }, 3000, "the about box closes");
    CloseWithCloseBox();
    Run();

    // The whole texts, Chinese included, whatever the system's code page.
    EXPECT_EQ(about.caption, L"关于 Mirelo");
    EXPECT_EQ(about.text, L"Mirelo\n版本：" MIRELO_VERSION_TEXT);
}

// A restarted shell has a new, empty notification area and says so to every top-level window.
TEST_F(TrayIcon, TaskbarCreatedAddsItAgain)
{
    HWND main = nullptr;
    WaitUntilShown().Then([&] {
        main = Main();
        EXPECT_TRUE(TrayIconExists(main));
        EXPECT_TRUE(RemoveTrayIcon(main));
        EXPECT_FALSE(TrayIconExists(main));
        ::SendMessageW(main, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_TRUE(TrayIconExists(main));
        return true;
    });
    CloseWithCloseBox();
    Run();

    EXPECT_FALSE(TrayIconExists(main));
}

// The notification area of the shell draws icon 134 (orange) at the right end of the taskbar.
bool FindOurIconOnScreen(POINT* where)
{
    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT bar = {};
    if (!taskbar || !::GetWindowRect(taskbar, &bar))
        return false;
    int y = (bar.top + bar.bottom) / 2;
    for (int x = bar.right - 1; x > bar.right - 80; --x) {
        COLORREF pixel = ScreenPixel(x, y);
        if (GetRValue(pixel) > 200 && GetGValue(pixel) > 90 && GetGValue(pixel) < 150 &&
            GetBValue(pixel) < 60) {
            *where = POINT{x - 2, y};
            return true;
        }
    }
    return false;
}

void PressMouse(DWORD button)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = button;
    ::SendInput(1, &input, sizeof(input));
}

TEST_F(TrayIcon, RealClicksOnItInTheNotificationAreaReachTheMainWindow)
{
    POINT icon = {};
    HWND menuWindow = nullptr;
    WaitUntilShown().Then([&] { return FindOurIconOnScreen(&icon); }, 3000, "the icon shows");
    Minimise();
    m_script.Then([&] { return ::SetCursorPos(icon.x, icon.y) != FALSE; })
        .Then([&] { return CursorAt(icon.x, icon.y); }, 3000, "the cursor is over the icon")
        .Then([] {
            PressMouse(MOUSEEVENTF_LEFTDOWN);
            PressMouse(MOUSEEVENTF_LEFTUP);
            return true;
        });
    WaitUntilShownNormally("a left click restores the window").Then([] {
        PressMouse(MOUSEEVENTF_RIGHTDOWN);
        return true;
    });
    WaitForMenu(&menuWindow).Then([] {
        ::EndMenu();
        PressMouse(MOUSEEVENTF_RIGHTUP);
        return true;
    });
    m_script.Then([] { return FindPopupMenu() == nullptr; }, 3000, "the menu closes");
    CloseWithCloseBox();
    Run();
}

}  // namespace
