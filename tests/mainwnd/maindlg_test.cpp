// The main window run in this process: start-up and teardown, exit, the key filter, the timers
// and row clicks.
#include "appstate/globals.h"
#include "corelib/about_box.h"
#include "corelib/core.h"
#include "res/resource.h"
#include "res/version.h"
#include "store/connstr.h"
#include "store/statements.h"
#include "tests/mainwnd/main_window_fixture.h"
#include "tests/mainwnd/tray_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

class MainWindow : public MainWindowFixture {};

TEST_F(MainWindow, StartUpSetsUpTheProcessWideStateAndShowsReady)
{
    {
        CCore settings;
        settings.autoFileConfig();
        settings.saveConfigB(L"isAutoMin", 1);
    }
    WaitUntilShown().Then([this] {
        EXPECT_EQ(StatusText(Main()), kReady);
        EXPECT_NE(g_core, nullptr);
        EXPECT_NE(g_db, nullptr);
        EXPECT_EQ(g_appPath.str(), ProgramFolder());
        EXPECT_EQ(g_isAutoMin, 1);
        EXPECT_EQ(g_connStr, BuildConnectionString(m_dbPath.c_str()));
        EXPECT_TRUE(g_soft && SoftVersion(g_soft) == L"" MIRELO_VERSION_TEXT);
        EXPECT_TRUE(g_soft && SoftProductName(g_soft) == L"Mirelo");
        EXPECT_EQ(m_dlg.m_loadsDuringInit, 0) << "the hot list loads after initialisation";
        EXPECT_TRUE(TrayIconExists(Main()));

        HICON mainIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN));
        EXPECT_EQ(m_dlg.MainIcon(), mainIcon);
        EXPECT_EQ(::SendMessageW(Main(), WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(mainIcon));
        EXPECT_EQ(::SendMessageW(Main(), WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(mainIcon));
        EXPECT_EQ(::SendMessageW(Main(), WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(mainIcon));
        return true;
    });
    CloseWithCloseBox();
    Run();

    CCore settings;
    settings.saveConfigB(L"isAutoMin", 0);
}

TEST_F(MainWindow, CloseBoxEndsItAndTeardownReleasesTheStateAndRemovesTheIcon)
{
    HWND main = nullptr;
    WaitUntilShown().Then([&] {
        main = Main();
        EXPECT_TRUE(TrayIconExists(main));
        return true;
    });
    CloseWithCloseBox();
    ModalOutcome outcome = Run();

    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_FALSE(outcome.quitCode.has_value()) << "ends with exit code 0";
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_FALSE(TrayIconExists(main));
    EXPECT_EQ(g_core, nullptr);
    EXPECT_EQ(g_soft, nullptr);
    EXPECT_EQ(g_db, nullptr);
}

TEST_F(MainWindow, ExitCommandEndsTheProgramWithExitCodeZero)
{
    HWND main = nullptr;
    WaitUntilShown().Then([&] {
        main = Main();
        return ::PostMessageW(main, WM_COMMAND, ID_TRAY_EXIT, 0) != FALSE;
    });
    ModalOutcome outcome = Run();

    EXPECT_EQ(outcome.quitCode, 0);
    EXPECT_FALSE(TrayIconExists(main));
    EXPECT_EQ(g_core, nullptr);
}

// The same posted keys end an ordinary dialog of the template, so they do reach a dialog this way.
TEST(MainWindowKeys, EnterEscAndAltF4EndAPlainDialogOfTheTemplate)
{
    struct Case {
        UINT message;
        UINT key;
        INT_PTR result;
    };
    for (Case key : {Case{WM_KEYDOWN, VK_RETURN, IDOK}, Case{WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
                     Case{WM_SYSKEYDOWN, VK_F4, IDCANCEL}}) {
        SCOPED_TRACE(key.key);
        CDialog plain(IDD_MAIN);
        CModalScript script;
        script.Then([&] { return plain.m_hWnd && ::IsWindowVisible(plain.m_hWnd); })
            .Then([&] {
                PostKey(plain.m_hWnd, key.message, key.key, key.message == WM_SYSKEYDOWN);
                return true;
            })
            .Then([] { return false; }, 3000, "the dialog ends");
        EXPECT_EQ(RunModal(plain, script).result, key.result);
    }
}

TEST_F(MainWindow, EnterEscAndAltF4DoNotCloseIt)
{
    WaitUntilShown().Then([this] {
        PostKey(Main(), WM_KEYDOWN, VK_RETURN, false);
        PostKey(Main(), WM_KEYDOWN, VK_ESCAPE, false);
        PostKey(Main(), WM_SYSKEYDOWN, VK_F4, true);
        PostKey(Main(), WM_SYSKEYDOWN, VK_F10, false);
        return true;
    });
    SettlePosted().Then([this] {
        EXPECT_TRUE(::IsWindowVisible(Main()));
        return true;
    });
    CloseWithCloseBox();
    ModalOutcome outcome = Run();

    EXPECT_EQ(outcome.result, IDCANCEL) << "only the close box ended it";
}

TEST_F(MainWindow, TimerOneLoadsTheHotListOnceIntoTheRowList)
{
    DWORD firstLoad = 0;
    WaitUntilShown()
        .Then([this] { return m_dlg.m_loadCount > 0; }, 3000, "timer 1 fires")
        .Then([&] {
            firstLoad = ::GetTickCount();
            EXPECT_EQ(m_dlg.m_loadedList, m_dlg.ListBox());
            EXPECT_EQ(m_dlg.m_loadClause, kHeatOrder);
            EXPECT_FALSE(::KillTimer(Main(), 1)) << "the timer was killed when it fired";
            return true;
        })
        .Then([&] { return ::GetTickCount() - firstLoad >= 500; }, 3000, "five intervals pass");
    CloseWithCloseBox();
    Run();

    EXPECT_EQ(m_dlg.m_loadCount, 1);
    EXPECT_EQ(m_dlg.m_loadsDuringInit, 0);
}

// A row posts the click to the list box; on its way up the parent chain that message also passes
// the main window, and the list box forwards a copy to the main window. One click, one copy.
TEST_F(MainWindow, ARowClickReachesCopyItemExactlyOnce)
{
    WaitUntilShown()
        .Then([this] { return ::PostMessageW(m_dlg.ListBox(), WM_ITEMCLICK, 0, 7) != FALSE; })
        .Then([this] { return m_dlg.Copied(7); }, 3000, "the click on the list box is copied")
        .Then([this] { return ::PostMessageW(Main(), WM_ITEMCLICK, 0, 8) != FALSE; })
        .Then([this] { return m_dlg.Copied(8); }, 3000, "the click on the main window is copied");
    SettlePosted();
    CloseWithCloseBox();
    Run();

    EXPECT_EQ(Clicks(), (std::vector<int>{7, 8}));
}

}  // namespace
