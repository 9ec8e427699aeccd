// The real Mirelo.exe, started as its own process from a folder of the test's own.
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

TEST(MireloProgram, TwoCopiesRunSideBySideEachWithItsOwnWindowAndIcon)
{
    std::wstring program = CopyOfProgram();
    CreateItemDatabase(FolderOf(program) + L"sys.mdb");
    CChildProcess first;
    CChildProcess second;
    ASSERT_TRUE(first.Start(program, FolderOf(program)));
    ASSERT_TRUE(second.Start(program, FolderOf(program)));

    HWND firstMain = WaitForWindow(first.Id(), &IsMainWindow);
    HWND secondMain = WaitForWindow(second.Id(), &IsMainWindow);
    ASSERT_NE(firstMain, nullptr);
    ASSERT_NE(secondMain, nullptr);
    EXPECT_NE(firstMain, secondMain);
    for (HWND main : {firstMain, secondMain}) {
        EXPECT_EQ(RemoteWindowText(::GetDlgItem(main, IDC_STATUS)), L"就绪");
        EXPECT_TRUE(TrayIconExists(main));
    }

    // The tray's exit command ends one; the other goes on until its close box is used.
    ::PostMessageW(firstMain, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_FALSE(TrayIconExists(firstMain));
    EXPECT_TRUE(second.IsRunning());
    EXPECT_TRUE(TrayIconExists(secondMain));

    ::PostMessageW(secondMain, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_FALSE(TrayIconExists(secondMain));
}

}  // namespace
