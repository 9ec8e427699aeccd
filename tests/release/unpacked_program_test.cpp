// The unpacked archive as a user runs it: from a folder whose name holds a space and characters
// no code page holds, started from elsewhere, ended through its tray menu.
#include "base/text_codec.h"
#include "mainwnd/trayicon.h"
#include "res/resource.h"
#include "tests/mainwnd/child_process.h"
#include "tests/support/remote_window.h"
#include "tests/mainwnd/tray_probe.h"
#include "tests/release/release_files.h"
#include "tests/support/pump.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

bool IsPopupMenu(HWND hWnd)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, ARRAYSIZE(className));
    return std::wstring(className) == L"#32768";
}

void PostKeyDown(HWND hWnd, UINT key)
{
    ::PostMessageW(hWnd, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(::MapVirtualKeyW(key, 0)) << 16));
}

TEST(UnpackedProgram, StartsShowsItsEmptyListAndEndsWithZeroFromTheTrayMenu)
{
    std::wstring folder = UnpackedFolder();
    ASSERT_NE(folder.find(L' '), std::wstring::npos);
    // Not even the system code page holds the name: only wide paths reach the program's files.
    ASSERT_NE(CodePageToWide(CP_ACP, WideToCodePage(CP_ACP, folder)), folder);
    CChildProcess mirelo;
    // Started with another working folder, as from a shortcut: it finds sys.mdb beside itself.
    ASSERT_TRUE(mirelo.Start(folder + L"Mirelo.exe", ProgramFolder()));

    HWND main = WaitForWindow(mirelo.Id(), &IsMainWindow);
    ASSERT_NE(main, nullptr) << "no main window";
    EXPECT_EQ(RemoteWindowText(::GetDlgItem(main, IDC_STATUS)), L"就绪");
    HWND list = ::GetDlgItem(main, IDC_HOTLIST);
    EXPECT_TRUE(::IsWindowVisible(list));
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(TrayIconExists(main));

    ::PostMessageW(main, TRAY_ID, TRAY_ID, WM_RBUTTONDOWN);
    HWND menu = WaitForWindow(mirelo.Id(), &IsPopupMenu);
    ASSERT_NE(menu, nullptr) << "no tray menu";
    // Up from no selection wraps to the last entry, 退出.
    PostKeyDown(menu, VK_UP);
    PostKeyDown(menu, VK_RETURN);

    std::optional<DWORD> exitCode = mirelo.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "still running";
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_FALSE(TrayIconExists(main));
    EXPECT_TRUE(ReadItems(folder + L"sys.mdb").empty());
}

}  // namespace
