// The main window run in this process: start-up and teardown, exit, the key filter, the timers,
// row clicks, the global hotkey and the keys of a paste.
#include "appstate/globals.h"
#include "corelib/about_box.h"
#include "corelib/core.h"
#include "mainwnd/pasteback.h"
#include "mainwnd/windowsize.h"
#include "options/hotkey_setting.h"
#include "res/resource.h"
#include "res/version.h"
#include "store/connstr.h"
#include "store/statements.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/mainwnd/main_window_fixture.h"
#include "tests/mainwnd/tray_probe.h"
#include "tests/support/hotkey_input.h"
#include "tests/support/other_program.h"
#include "tests/support/pump.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

class MainWindow : public MainWindowFixture {};

constexpr WORD kCtrlShiftF = ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8) | 'F';

// The search box of the window's template, or one made here like it while the template has none.
HWND SearchBoxOf(HWND main)
{
    if (HWND box = ::GetDlgItem(main, IDC_SEARCH))
        return box;
    return ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                             10, 10, 200, 22, main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SEARCH)),
                             ::GetModuleHandleW(nullptr), nullptr);
}

bool InFront(HWND main)
{
    return ::GetForegroundWindow() == main && !::IsIconic(main) && ::IsWindowVisible(main);
}

bool AllSelected(HWND edit)
{
    DWORD start = 1;
    DWORD end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == static_cast<DWORD>(::GetWindowTextLengthW(edit));
}

// The stored hotkey for one test; the default again afterwards.
class CStoredHotkey {
public:
    explicit CStoredHotkey(WORD hotkey) { Save(hotkey); }
    ~CStoredHotkey() { Save(kDefaultHotkey); }
    CStoredHotkey(const CStoredHotkey&) = delete;
    CStoredHotkey& operator=(const CStoredHotkey&) = delete;
    static WORD Read()
    {
        CCore settings;
        return ReadHotkeySetting(settings);
    }

private:
    static void Save(WORD hotkey)
    {
        CCore settings;
        settings.autoFileConfig();
        EXPECT_TRUE(SaveHotkeySetting(settings, hotkey));
    }
};

BOOL CALLBACK FindOptionsWindow(HWND window, LPARAM found)
{
    if (!::IsWindowVisible(window) || !::GetDlgItem(window, IDC_HOTKEY))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The options dialog the tray command opened, or null.
HWND FindOptionsDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindOptionsWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

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
        // The caption's icon is the image drawn for its size, not the large one shrunk.
        const int smallSize = ::GetSystemMetrics(SM_CXSMICON);
        EXPECT_EQ(
            ::SendMessageW(Main(), WM_GETICON, ICON_SMALL, 0),
            reinterpret_cast<LRESULT>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN),
                                                   IMAGE_ICON, smallSize, smallSize, LR_SHARED)));
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

// From behind another program, minimised or not, Ctrl+` brings the window to the front with the
// search box focused and its text selected; in front, it minimises it.
TEST_F(MainWindow, TheHotkeyFromAnotherProgramBringsItUpWithTheSearchBoxFocusedAndMinimisesItInFront)
{
    CStoredHotkey stored(kDefaultHotkey);
    COtherProgram other;
    HWND searchBox = nullptr;
    // The focus elsewhere and the caret at the end, so that only the hotkey can focus and select.
    auto focusTheList = [&] {
        ::SendMessageW(Main(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_dlg.ListBox()), TRUE);
        ::SendMessageW(searchBox, EM_SETSEL, 2, 2);
        return ::GetFocus() == m_dlg.ListBox();
    };
    auto press = [&](const char* when) {
        m_script.Then([&, when] {
            EXPECT_TRUE(PressHotkeyFor(Main(), kDefaultHotkey)) << when << ": no WM_HOTKEY for the window";
            return true;
        });
    };
    WaitUntilShown().Then([&] {
        searchBox = SearchBoxOf(Main());
        ::SetWindowTextW(searchBox, L"bj");
        return focusTheList() && other.Start();
    });
    m_script.Then([&] { return other.IsInFront(); }, 15000, "the other program in front");
    press("behind the other program");
    m_script.Then([&] { return InFront(Main()) && ::GetFocus() == searchBox && AllSelected(searchBox); }, 5000,
                  "brought to the front, the search box focused and selected")
        .Then(focusTheList, 5000, "the focus on the list again");
    press("in front");
    m_script.Then([&] { return ::IsIconic(Main()) != FALSE; }, 5000, "minimised")
        .Then([&] { return ::GetForegroundWindow() == other.Window() || ::SetForegroundWindow(other.Window()); })
        .Then([&] { return other.IsInFront(); }, 5000, "the other program in front again");
    press("minimised");
    m_script.Then([&] { return InFront(Main()) && ::GetFocus() == searchBox && AllSelected(searchBox); }, 5000,
                  "restored to the front, the search box focused and selected");
    CloseWithCloseBox();
    Run();

    EXPECT_EQ(other.Close(), 0u);
}

// A key another program holds is said in the status line, also once the list has loaded; the
// options then put another key into effect at once, with no restart.
TEST_F(MainWindow, AHotkeyHeldElsewhereIsSaidInTheStatusLineUntilTheOptionsPutAnotherIntoEffect)
{
    CStoredHotkey stored(kDefaultHotkey);
    COtherProgram holder;
    ASSERT_TRUE(holder.Start(kDefaultHotkey));
    ASSERT_TRUE(PumpUntil([&] { return holder.IsInFront(); }, 15000)) << "the holder is up";
    const std::wstring notice = L"全局热键 Ctrl+` 已被其他程序占用，未能启用。";
    std::wstring statusAtStart;
    HWND options = nullptr;
    WORD shownInOptions = 0;
    WaitUntilShown().Then([&] {
        statusAtStart = StatusText(Main());
        return true;
    });
    m_script.Then([&] { return m_dlg.m_loadCount > 0; }, 3000, "the list loads");
    SettlePosted().Then([&] {
        EXPECT_EQ(StatusText(Main()), notice) << "still said once the list is in";
        return ::PostMessageW(Main(), WM_COMMAND, ID_TRAY_OPTIONS, 0) != FALSE;
    });
    m_script.Then([&] { return (options = FindOptionsDialog()) != nullptr; }, 5000, "the options open")
        .Then([&] {
            shownInOptions = static_cast<WORD>(::SendDlgItemMessageW(options, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
            ::SendDlgItemMessageW(options, IDC_HOTKEY, HKM_SETHOTKEY, kCtrlShiftF, 0);
            return ::PostMessageW(::GetDlgItem(options, IDC_OPTIONS_OK), BM_CLICK, 0, 0) != FALSE;
        })
        .Then([&] { return !::IsWindow(options); }, 5000, "the options close")
        .Then([&] {
            EXPECT_EQ(StatusText(Main()), kReady);
            return ::GetForegroundWindow() == holder.Window() || ::SetForegroundWindow(holder.Window());
        })
        .Then([&] { return holder.IsInFront(); }, 5000, "the holder in front again")
        .Then([&] {
            EXPECT_TRUE(PressHotkeyFor(Main(), kCtrlShiftF)) << "the new key reaches the window";
            return true;
        })
        .Then([&] { return InFront(Main()); }, 5000, "the new key brings the window up");
    CloseWithCloseBox();
    ModalOutcome outcome = Run();

    EXPECT_EQ(statusAtStart, notice);
    EXPECT_EQ(shownInOptions, kDefaultHotkey) << "the options show the key that could not be had";
    EXPECT_EQ(CStoredHotkey::Read(), kCtrlShiftF);
    EXPECT_EQ(outcome.result, IDCANCEL) << "no restart: only the close box ended it";
    EXPECT_FALSE(outcome.quitCode.has_value());
    EXPECT_EQ(holder.Close(), 0u);
}

// A paste's keys let go of the keys held first; Alt and Win after a key of no meaning, so that their
// release opens no menu bar and no Start menu. A key let go is negative.
TEST(PasteKeys, HeldKeysAreLetGoFirstAltAndWinAfterAKeyOfNoMeaning)
{
    const int none = kNeutralKey, ctrlV[] = {VK_CONTROL, 'V', -'V', -VK_CONTROL};
    const std::pair<std::vector<WORD>, std::vector<int>> cases[] = {
        {{}, {}},
        {{VK_LSHIFT}, {-VK_LSHIFT}},
        {{VK_LMENU}, {none, -none, -VK_LMENU}},
        {{VK_RCONTROL, VK_LWIN}, {none, -none, -VK_RCONTROL, -VK_LWIN}},
    };
    for (auto [held, expected] : cases) {
        std::vector<int> sent;
        for (const INPUT& input : PasteKeys(held))
            sent.push_back(input.ki.dwFlags & KEYEVENTF_KEYUP ? -input.ki.wVk : input.ki.wVk);
        expected.insert(expected.end(), std::begin(ctrlV), std::end(ctrlV));
        EXPECT_EQ(sent, expected);
    }
}

}  // namespace

namespace {

RECT WindowRectOf(HWND hWnd)
{
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

}  // namespace

// Dragged shorter by its bottom border: the list and the status line follow, the rows keep their
// height, and the size (at 96 DPI) is kept for the next start, which opens at it.
TEST_F(MainWindow, ResizedByItsBorderTheRowsKeepTheirHeightAndTheNextStartHasTheSize)
{
    CreateItemDatabase(m_dbPath, std::vector<TestItem>(30, TestItem(L"行", L"内容")));
    CCore settings;
    RECT before = {};
    LRESULT entryHeight = 0;
    int x = 0, y = 0;
    WaitUntilShown()
        .Then([&] { return ::SendMessageW(m_dlg.ListBox(), LB_GETCOUNT, 0, 0) == 30; }, 5000, "rows")
        .Then([&] {
            before = WindowRectOf(Main());
            entryHeight = ::SendMessageW(m_dlg.ListBox(), LB_GETITEMHEIGHT, 0, 0);
            x = (before.left + before.right) / 2;
            y = before.bottom - 2;  // on the sizing border
            return MouseMoveTo(x, y);
        })
        // The press starts the system's sizing loop: the steps after it run from that loop, and
        // must not take its mouse messages by pumping.
        .Then([&] {
            MouseLeftDown(x, y);
            return true;
        })
        .Then([&] {
            MouseLeftUp(x, y - 120);
            return true;
        })
        .Then([&] { return settings.getConfigS(L"mainWindowSize").has_value(); }, 3000, "the size kept")
        .Then([&] {
            const RECT after = WindowRectOf(Main());
            EXPECT_EQ(after.bottom - after.top, before.bottom - before.top - 120);
            EXPECT_EQ(::SendMessageW(m_dlg.ListBox(), LB_GETITEMHEIGHT, 0, 0), entryHeight);
            EXPECT_LT(WindowRectOf(::GetDlgItem(Main(), IDC_STATUS)).bottom, after.bottom)
                << "the status line";
            EXPECT_EQ(*settings.getConfigS(L"mainWindowSize"),
                      WindowSizeText(CSize(after.right - after.left, after.bottom - after.top)));
            return true;
        });
    CloseWithCloseBox();
    Run();

    CProbedMainDlg next;
    CModalScript script;
    script.Then([&] { return IsUp(next); }).Then([&] {
        const RECT opened = WindowRectOf(next.m_hWnd);
        EXPECT_EQ(opened.bottom - opened.top, before.bottom - before.top - 120);
        return ::PostMessageW(next.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
    });
    RunModal(next, script);
    EXPECT_TRUE(script.Succeeded());
    settings.saveConfigS(L"mainWindowSize", L"");
}

// Moved to a screen of 125 %: the window takes the rectangle the system suggests, and its entries
// and layout scale with it. (Wine has one DPI for every screen: the message is the system's own.)
TEST_F(MainWindow, AtANewDpiItTakesTheSuggestedRectangleAndItsEntriesScale)
{
    CreateItemDatabase(m_dbPath, std::vector<TestItem>(30, TestItem(L"行", L"内容")));
    RECT suggested = {};
    LRESULT entryHeight = 0;
    WaitUntilShown()
        .Then([&] { return ::SendMessageW(m_dlg.ListBox(), LB_GETCOUNT, 0, 0) == 30; }, 5000, "rows")
        .Then([&] {
            const RECT before = WindowRectOf(Main());
            entryHeight = ::SendMessageW(m_dlg.ListBox(), LB_GETITEMHEIGHT, 0, 0);
            suggested = {10, 10, 10 + (before.right - before.left) * 5 / 4, 700};  // on the 768-pixel desktop
            ::SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
            return true;
        })
        .Then(
            [&] {
                const RECT now = WindowRectOf(Main());
                return ::EqualRect(&now, &suggested) != FALSE;
            },
            3000, "placed")
        .Then([&] {
            EXPECT_EQ(::SendMessageW(m_dlg.ListBox(), LB_GETITEMHEIGHT, 0, 0),
                      ::MulDiv(entryHeight, 120, 96));
            const RECT status = WindowRectOf(::GetDlgItem(Main(), IDC_STATUS));
            EXPECT_GT(status.top, WindowRectOf(m_dlg.ListBox()).bottom) << "the status line below the list";
            EXPECT_LT(status.bottom, suggested.bottom);
            return true;
        });
    CloseWithCloseBox();
    Run();
}
