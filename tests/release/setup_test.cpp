// The setup this build packed, run as a user runs it silently: installed into a folder of its own,
// started as Windows starts it at logon, upgraded over the user's items, uninstalled.
#include "options/autostart.h"
#include "res/resource.h"
#include "res/version.h"
#include "tests/mainwnd/child_process.h"
#include "tests/release/release_files.h"
#include "tests/support/pump.h"
#include "tests/support/remote_window.h"
#include "tests/support/testdb.h"
#include "tests/support/user_registry.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <vector>

#include <optional>
#include <string>

using namespace testing_support;

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Mirelo";

std::optional<DWORD> UserNumber(const wchar_t* key, const wchar_t* name)
{
    DWORD number = 0, bytes = sizeof(number);
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &number, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return number;
}

std::wstring StartMenuShortcut()
{
    wchar_t programs[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    return std::wstring(programs) + L"\\Mirelo.lnk";
}

// What the shortcut starts, as the shell finds it (its item list, which holds the names whole);
// empty when there is none.
std::wstring ShortcutTarget(const std::wstring& shortcut)
{
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return L"";
    wchar_t target[MAX_PATH] = {};
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file)))) {
        PIDLIST_ABSOLUTE item = nullptr;
        if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) && SUCCEEDED(link->GetIDList(&item)) && item) {
            ::SHGetPathFromIDListW(item, target);
            ::CoTaskMemFree(item);
        }
        file->Release();
    }
    link->Release();
    return target;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs a setup or an uninstaller to its end; its exit code (nothing when it did not end in time).
std::optional<DWORD> RunToEnd(const std::wstring& commandLine)
{
    CChildProcess process;
    if (!process.StartCommand(commandLine, ProgramFolder()))
        return std::nullopt;
    return process.WaitForExit(60000);
}

class Setup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::CoInitialize(nullptr);
        m_folder = ProgramFolder() + L"安装 测试\\Mirelo\\";
        // Whatever an earlier run left: this user's setup state is the test's own.
        CleanUp();
    }
    void TearDown() override
    {
        // A Run value left behind would start the program at every later logon of this prefix.
        CleanUp();
        ::CoUninitialize();
    }
    void CleanUp()
    {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey);
        ::DeleteFileW(StartMenuShortcut().c_str());
        for (const wchar_t* name : {L"Mirelo.exe", L"sys.mdb", L"说明.txt", L"uninstall.exe", L"Mirelo.ini"})
            ::DeleteFileW((m_folder + name).c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }
    // Silent, into the test's folder (NSIS takes /D= last and unquoted, spaces and all).
    std::optional<DWORD> Install()
    {
        const std::wstring folder = m_folder.substr(0, m_folder.size() - 1);
        return RunToEnd(L"\"" + SetupPath() + L"\" /S /D=" + folder);
    }

    std::wstring m_folder;
};

TEST_F(Setup, InstallsStartsWithWindowsMinimisedUpgradesOverTheItemsAndUninstallsKeepingThem)
{
    ASSERT_EQ(Install(), std::optional<DWORD>(0));
    for (const wchar_t* name : {L"Mirelo.exe", L"sys.mdb", L"说明.txt", L"uninstall.exe"})
        EXPECT_TRUE(Exists(m_folder + name)) << "installed: " << name;
    EXPECT_EQ(FileBytes(m_folder + L"Mirelo.exe"), FileBytes(UnpackedFolder() + L"Mirelo.exe"))
        << "the program the zip holds";
    EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), m_folder + L"Mirelo.exe");
    EXPECT_EQ(UserRegistryText(kUninstallKey, L"DisplayName"), L"Mirelo");
    EXPECT_EQ(UserRegistryText(kUninstallKey, L"DisplayVersion"), L"" MIRELO_VERSION_TEXT);
    EXPECT_EQ(UserRegistryText(kUninstallKey, L"Publisher"), L"Mirelo");
    EXPECT_EQ(UserRegistryText(kUninstallKey, L"DisplayIcon"), m_folder + L"Mirelo.exe,0");
    EXPECT_EQ(UserRegistryText(kUninstallKey, L"UninstallString"), L"\"" + m_folder + L"uninstall.exe\"");
    EXPECT_GT(UserNumber(kUninstallKey, L"EstimatedSize").value_or(0), 100u) << "kilobytes";
    const std::optional<std::wstring> run = UserRegistryText(kRunKey, kRunValueName);
    ASSERT_EQ(run, L"\"" + m_folder + L"Mirelo.exe\" /min") << "on unless the user unticks it";

    // At logon: from the Run value's command line, up minimised with its rows, the focus left alone.
    ExecuteSql(m_folder + L"sys.mdb",
               L"INSERT INTO T_ITEM(title,data1) VALUES('地址','北京市海淀区'),('签名','此致敬礼')");
    const std::string settings = "[Mirelo]\r\nisAutoMin=1\r\n";
    WriteFileBytes(m_folder + L"Mirelo.ini", settings);
    const HWND before = ::GetForegroundWindow();
    CChildProcess mirelo;
    ASSERT_TRUE(mirelo.StartCommand(*run, ProgramFolder()));
    HWND main = WaitForWindow(mirelo.Id(), &IsMainWindow);
    ASSERT_NE(main, nullptr) << "no main window";
    HWND list = ::GetDlgItem(main, IDC_HOTLIST);
    EXPECT_TRUE(PumpUntil([&] { return ::SendMessageW(list, LB_GETCOUNT, 0, 0) == 2; }, 5000)) << "its rows";
    EXPECT_TRUE(::IsIconic(main));
    EXPECT_EQ(::GetForegroundWindow(), before);

    // An upgrade (the same setup again) while it runs, over the user's items and settings: the
    // running copy is asked to exit first, as its tray menu would.
    ASSERT_EQ(Install(), std::optional<DWORD>(0));
    EXPECT_EQ(mirelo.WaitForExit(0), std::optional<DWORD>(0)) << "ended by the setup";
    EXPECT_EQ(ReadItems(m_folder + L"sys.mdb").size(), 2u) << "the items kept";
    EXPECT_EQ(FileBytes(m_folder + L"Mirelo.ini"), settings);

    // Silent uninstall, run in place (_?=) so that its end is the uninstall's end.
    const std::wstring folder = m_folder.substr(0, m_folder.size() - 1);
    ASSERT_EQ(RunToEnd(L"\"" + m_folder + L"uninstall.exe\" /S _?=" + folder), std::optional<DWORD>(0));
    EXPECT_FALSE(Exists(m_folder + L"Mirelo.exe"));
    EXPECT_FALSE(Exists(m_folder + L"说明.txt"));
    EXPECT_FALSE(Exists(StartMenuShortcut()));
    EXPECT_EQ(UserRegistryText(kUninstallKey, L"DisplayName"), std::nullopt);
    EXPECT_EQ(UserRegistryText(kRunKey, kRunValueName), std::nullopt);
    EXPECT_EQ(ReadItems(m_folder + L"sys.mdb").size(), 2u) << "a silent uninstall keeps the items";
}

// The uninstaller's question whether the running program may be closed is answered after it has
// ended by itself (its window gone, as when the user chose 退出 meanwhile): the uninstall goes on,
// where it used to say the program could not be ended.
TEST_F(Setup, AProgramThatEndsWhileTheUninstallerAsksIsTakenAsEnded)
{
    ASSERT_EQ(Install(), std::optional<DWORD>(0));
    HWND running = ::CreateWindowW(WC_DIALOG, L"Mirelo  -（自动按热度排序，托盘菜单上设定参数）", WS_POPUP, 0,
                                   0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(running, nullptr);
    CChildProcess uninstall;
    const std::wstring folder = m_folder.substr(0, m_folder.size() - 1);
    ASSERT_TRUE(uninstall.StartCommand(L"\"" + m_folder + L"uninstall.exe\" _?=" + folder, ProgramFolder()));
    // Its pages have a 上一步 button (3); its message boxes do not.
    HWND pages = WaitForWindow(uninstall.Id(), [](HWND h) { return IsDialogClass(h) && ::GetDlgItem(h, 3); });
    ASSERT_NE(pages, nullptr);
    ::PostMessageW(pages, WM_COMMAND, IDOK, 0);  // 卸载
    std::vector<std::wstring> told;
    for (int box = 0; box < 2; ++box) {
        HWND shown =
            WaitForWindow(uninstall.Id(), [](HWND h) { return IsDialogClass(h) && !::GetDlgItem(h, 3); });
        ASSERT_NE(shown, nullptr);
        told.push_back(RemoteWindowText(::GetDlgItem(shown, 0xFFFF)));
        if (box == 0)
            ::DestroyWindow(running);
        ::PostMessageW(shown, WM_COMMAND, ::GetDlgItem(shown, IDNO) ? IDNO : IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(shown); }));
    }
    EXPECT_EQ(told[0].rfind(L"Mirelo 正在运行，需要先退出它。", 0), 0u) << Utf8(told[0]);
    EXPECT_EQ(told[1], L"是否同时删除所有数据项？") << "the uninstall went on";
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(::GetDlgItem(pages, IDOK)) != FALSE; }));
    ::PostMessageW(pages, WM_COMMAND, IDOK, 0);  // 关闭
    EXPECT_EQ(uninstall.WaitForExit(20000), std::optional<DWORD>(0));
    EXPECT_FALSE(Exists(m_folder + L"Mirelo.exe"));
    EXPECT_TRUE(Exists(m_folder + L"sys.mdb"));
}

}  // namespace
