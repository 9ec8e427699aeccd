// The team file, end to end: the real Mirelo.exe subscribes to a file in a folder of the test's own
// (the share), and this process, as a colleague's, replaces the file and takes the folder away.
#include "hotlist/rowmark.h"
#include "res/resource.h"
#include "tests/hotlist/screen_capture.h"
#include "tests/mainwnd/child_process.h"
#include "tests/support/pump.h"
#include "tests/support/remote_window.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

constexpr char kHeader[] = "\xEF\xBB\xBF标签,内容,点击次数,最后复制时间\r\n";

std::wstring CopyOfProgram()
{
    const std::wstring copy = TestTempPath(L"Mirelo.exe");
    const std::wstring built = ProgramFolder() + L"..\\..\\Mirelo.exe";
    if (!::CopyFileW(built.c_str(), copy.c_str(), FALSE))
        ADD_FAILURE() << "cannot copy " << Utf8(built);
    return copy;
}

// Saves the file as a spreadsheet or a sync tool does: a file beside it, then renamed over it.
void ReplaceByRename(const std::wstring& path, const std::string& bytes)
{
    const std::wstring saving = path + L".saving";
    WriteFileBytes(saving, bytes);
    ASSERT_TRUE(::MoveFileExW(saving.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
}

int RowCount(HWND main)
{
    return static_cast<int>(::SendMessageW(::GetDlgItem(main, IDC_HOTLIST), LB_GETCOUNT, 0, 0));
}

std::wstring Status(HWND main)
{
    return RemoteWindowText(::GetDlgItem(main, IDC_STATUS));
}

bool IsMainWindow(HWND hWnd)
{
    return IsDialogClass(hWnd) && RemoteWindowText(hWnd).rfind(L"Mirelo  -", 0) == 0;
}

// The window brought up, as from the tray: it looks at the team file again.
void BringUp(HWND main)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_ACTIVATE, WA_ACTIVE, 0, SMTO_NORMAL, 5000, &result);
}

TEST(TeamFile, SubscribedInTheOptionsItsItemsShowMarkedFollowTheFileAndOutliveTheShare)
{
    const std::wstring program = CopyOfProgram();
    const std::wstring folder = TestTempDir();
    CreateItemDatabase(folder + L"sys.mdb", {{L"地址", L"北京市海淀区"}});
    const std::wstring share = folder + L"share\\";
    ASSERT_TRUE(::CreateDirectoryW(share.c_str(), nullptr));
    const std::wstring teamFile = share + L"团队项目.csv";
    // The user's own item is in the file too: it shows once.
    WriteFileBytes(teamFile, std::string(kHeader) +
                                 "问候,您好，请问有什么可以帮您？,7,2026-01-02 03:04:05\r\n"
                                 "地址,北京市海淀区,,\r\n");

    CChildProcess mirelo;
    ASSERT_TRUE(mirelo.Start(program, folder));
    HWND main = WaitForWindow(mirelo.Id(), &IsMainWindow);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return RowCount(main) == 1; }));

    ::PostMessageW(main, WM_COMMAND, ID_TRAY_OPTIONS, 0);
    HWND options =
        WaitForWindow(mirelo.Id(), [](HWND hWnd) { return ::GetDlgItem(hWnd, IDC_TEAMFILE) != nullptr; });
    ASSERT_NE(options, nullptr);
    ::SendMessageW(::GetDlgItem(options, IDC_TEAMFILE), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(teamFile.c_str()));
    ::PostMessageW(options, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_OK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(options, IDC_OPTIONS_OK)));
    ASSERT_TRUE(PumpUntil([&] { return RowCount(main) == 2; }, 10000)) << RowCount(main) << " rows";
    EXPECT_EQ(Status(main), L"就绪");
    // One row, the team's, carries the mark.
    ::SetForegroundWindow(main);
    EXPECT_TRUE(PumpUntil([&] {
        return CScreenCapture(ClientOnScreen(::GetDlgItem(main, IDC_HOTLIST))).Count(kTeamMarkColour) > 20;
    })) << "no team mark drawn";

    // A colleague saves a new version: it shows without a restart, and without bringing the window up.
    ReplaceByRename(teamFile, std::string(kHeader) + "问候,您好，请问有什么可以帮您？,,\r\n"
                                                     "告别,感谢来电，再见！,,\r\n"
                                                     "地址,\"北京市海淀区\",,\r\n"
                                                     "营业时间,周一至周五 9:00-18:00,,\r\n");
    ASSERT_TRUE(PumpUntil([&] { return RowCount(main) == 4; }, 10000)) << RowCount(main) << " rows";

    // The share goes away: the items stay, and the status line says which version they are.
    const std::wstring away = folder + L"away";
    ASSERT_TRUE(::MoveFileW(share.substr(0, share.size() - 1).c_str(), away.c_str()));
    BringUp(main);
    const std::wstring unreachable = L"团队项目文件暂时无法读取，显示 ";
    EXPECT_TRUE(PumpUntil([&] { return Status(main).rfind(unreachable, 0) == 0; }, 10000))
        << Utf8(Status(main));
    EXPECT_EQ(Status(main).substr(Status(main).size() - 5), L" 的版本。");
    EXPECT_EQ(RowCount(main), 4);

    // Back, with a version cut in the middle of a record: not taken, and said where.
    ASSERT_TRUE(::MoveFileW(away.c_str(), share.substr(0, share.size() - 1).c_str()));
    ReplaceByRename(teamFile, std::string(kHeader) + "问候,您好,,\r\n告别,\"感谢来电");
    BringUp(main);
    EXPECT_TRUE(PumpUntil(
        [&] { return Status(main).find(L"第 3 行的记录有误（引号不成对）") != std::wstring::npos; }, 10000))
        << Utf8(Status(main));
    EXPECT_EQ(RowCount(main), 4);

    ::PostMessageW(main, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_EQ(mirelo.WaitForExit(), 0u);
}

}  // namespace
