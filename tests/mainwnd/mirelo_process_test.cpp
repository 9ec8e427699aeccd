// The real Mirelo.exe, started as its own process from a folder of the test's own.
#include "framework/global_hotkey.h"
#include "options/hotkey_setting.h"
#include "res/resource.h"
#include "tests/mainwnd/child_process.h"
#include "tests/mainwnd/modal_run.h"
#include "tests/support/remote_window.h"
#include "tests/mainwnd/tray_probe.h"
#include "tests/support/pump.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

constexpr wchar_t kCaptionStart[] = L"Mirelo  -";

// A copy of the built program in a fresh folder of the running test; its path.
std::wstring CopyOfProgram()
{
    std::wstring folder = TestTempDir();
    std::wstring copy = folder + L"Mirelo.exe";
    // Each test program runs from <build>/tests/<name>/; the program is built into <build>/.
    std::wstring built = ProgramFolder() + L"..\\..\\Mirelo.exe";
    if (!::CopyFileW(built.c_str(), copy.c_str(), FALSE))
        ADD_FAILURE() << "cannot copy " << Utf8(built);
    return copy;
}

std::wstring FolderOf(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

bool IsMainWindow(HWND hWnd)
{
    return IsDialogClass(hWnd) && RemoteWindowText(hWnd).rfind(kCaptionStart, 0) == 0;
}

bool IsMessageBox(HWND hWnd)
{
    return IsDialogClass(hWnd) && ::GetDlgItem(hWnd, 0xFFFF) != nullptr;
}

TEST(MireloProgram, WithoutSysMdbWarnsOverItsMainWindowAddsNoIconAndExitsWithMinusOne)
{
    std::wstring program = CopyOfProgram();
    CChildProcess mirelo;
    ASSERT_TRUE(mirelo.Start(program, FolderOf(program)));

    HWND box = WaitForWindow(mirelo.Id(), &IsMessageBox);
    ASSERT_NE(box, nullptr) << "no warning box";
    EXPECT_EQ(RemoteWindowText(::GetDlgItem(box, 0xFFFF)), L"数据库文件不存在！程序退出运行！");
    HWND owner = ::GetWindow(box, GW_OWNER);
    EXPECT_TRUE(owner && RemoteWindowText(owner).rfind(kCaptionStart, 0) == 0) << "owned by the main window";
    EXPECT_FALSE(TrayIconExists(owner));

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    std::optional<DWORD> exitCode = mirelo.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "still running";
    EXPECT_EQ(*exitCode, static_cast<DWORD>(-1));
}

// The second copy finds the hotkey held by the first: it says so in its status line (also once its
// list is in) and leaves the key to the first, even after the first has ended.
TEST(MireloProgram, TwoCopiesRunSideBySideEachWithItsOwnWindowAndIconAndTheFirstKeepsTheHotkey)
{
    std::wstring program = CopyOfProgram();
    CreateItemDatabase(FolderOf(program) + L"sys.mdb", {{L"常用地址", L"北京市海淀区", 0, std::nullopt}});
    CChildProcess first;
    CChildProcess second;
    ASSERT_TRUE(first.Start(program, FolderOf(program)));
    HWND firstMain = WaitForWindow(first.Id(), &IsMainWindow);
    ASSERT_NE(firstMain, nullptr);
    ASSERT_TRUE(second.Start(program, FolderOf(program)));
    HWND secondMain = WaitForWindow(second.Id(), &IsMainWindow);
    ASSERT_NE(secondMain, nullptr);
    EXPECT_NE(firstMain, secondMain);
    for (HWND main : {firstMain, secondMain}) {
        EXPECT_TRUE(PumpUntil([&] { return ::SendMessageW(::GetDlgItem(main, IDC_HOTLIST), LB_GETCOUNT, 0, 0) == 1; }))
            << "the list is in";
        EXPECT_TRUE(TrayIconExists(main));
    }
    EXPECT_EQ(RemoteWindowText(::GetDlgItem(firstMain, IDC_STATUS)), L"就绪");
    EXPECT_EQ(RemoteWindowText(::GetDlgItem(secondMain, IDC_STATUS)), L"全局热键 Ctrl+` 已被其他程序占用，未能启用。");
    HWND probeWindow = ::CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(CGlobalHotkey(probeWindow, 1, kDefaultHotkey).Error(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));

    // The tray's exit command ends one; the other goes on until its close box is used.
    ::PostMessageW(firstMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_FALSE(TrayIconExists(firstMain));
    EXPECT_TRUE(second.IsRunning());
    EXPECT_TRUE(TrayIconExists(secondMain));
    EXPECT_TRUE(CGlobalHotkey(probeWindow, 1, kDefaultHotkey).IsRegistered()) << "the first let it go, the second did not take it";
    EXPECT_EQ(RemoteWindowText(::GetDlgItem(secondMain, IDC_STATUS)), L"全局热键 Ctrl+` 已被其他程序占用，未能启用。");
    ::DestroyWindow(probeWindow);

    ::PostMessageW(secondMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_FALSE(TrayIconExists(secondMain));
}

}  // namespace
