// A sys.mdb that exists but is not an item database (or is a folder): refused at start-up, and never changed.
// One that another program keeps busy, or whose rows cannot be read, is ours: the program starts
// and says so in the status line.
#include "appstate/globals.h"
#include "base/text_codec.h"
#include "mainwnd/maindlg.h"
#include "store/sqlite_handles.h"
#include "tests/mainwnd/main_window_fixture.h"
#include "tests/mainwnd/tray_probe.h"
#include "tests/store/lock_holder_process.h"
#include "tests/support/message_box.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

bool FileExists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class UnusableDatabase : public MainWindowFixture {
protected:
    // The bytes of an SQLite database of another program.
    std::string ForeignDatabase()
    {
        std::wstring path = m_dbPath + L".foreign";
        {
            CSqliteHandle db;
            sqlite3_open_v2(WideToUtf8(path).c_str(), db.Put(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr);
            sqlite3_exec(db.Get(),
                         "CREATE TABLE T_NOTE(id INTEGER PRIMARY KEY, body TEXT);"
                         "INSERT INTO T_NOTE(body) VALUES('another program''s data');",
                         nullptr, nullptr, nullptr);
        }
        std::string bytes = FileBytes(path);
        ::DeleteFileW(path.c_str());
        return bytes;
    }
};

TEST_F(UnusableDatabase, IsRefusedWithAWarningAndExitCodeMinusOneAndLeftAsItWas)
{
    std::string itemDatabase = FileBytes(m_dbPath);
    ASSERT_GT(itemDatabase.size(), 100u);
    struct Case {
        const char* name;
        std::string bytes;
        bool folder = false;  // a folder named sys.mdb in place of the file
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"text", "not a database at all\r\n"},
        {"truncated", itemDatabase.substr(0, 60)},
        {"damaged", itemDatabase.substr(0, 100) + std::string(itemDatabase.size() - 100, '\x5A')},
        {"foreign", ForeignDatabase()},
        {"folder", "", true},
    };

    for (const Case& unusable : cases) {
        SCOPED_TRACE(unusable.name);
        if (unusable.folder) {
            ASSERT_TRUE(::DeleteFileW(m_dbPath.c_str()));
            ASSERT_TRUE(::CreateDirectoryW(m_dbPath.c_str(), nullptr));
        } else {
            WriteFileBytes(m_dbPath, unusable.bytes);
        }
        CProbedMainDlg dlg;
        CModalScript script;
        HWND box = nullptr;
        script.Then([&] { return (box = FindSystemDialog()) != nullptr; }, 5000, "the warning shows")
            .Then([&] {
                EXPECT_EQ(MessageBoxText(box), L"数据库文件无法使用！程序退出运行！");
                EXPECT_EQ(::GetWindow(box, GW_OWNER), dlg.m_hWnd);
                EXPECT_FALSE(TrayIconExists(dlg.m_hWnd));
                AnswerMessageBox(box, IDOK);
                return true;
            });
        ModalOutcome outcome = RunModal(dlg, script);

        EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
        EXPECT_EQ(outcome.quitCode, -1);
        EXPECT_EQ(dlg.m_loadCount, 0);
        EXPECT_EQ(g_core, nullptr);
        EXPECT_EQ(g_db, nullptr);
        if (unusable.folder) {
            const DWORD attributes = ::GetFileAttributesW(m_dbPath.c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
            EXPECT_TRUE(::RemoveDirectoryW(m_dbPath.c_str())) << "the folder was filled";
        } else {
            EXPECT_TRUE(FileBytes(m_dbPath) == unusable.bytes) << "the file was changed";
        }
        EXPECT_FALSE(FileExists(m_dbPath + L"-journal") || FileExists(m_dbPath + L"-wal"));
    }
}

class StartingDatabase : public MainWindowFixture {
protected:
    static int ListedRows(const CProbedMainDlg& dlg)
    {
        return static_cast<int>(::SendMessageW(dlg.ListBox(), LB_GETCOUNT, 0, 0));
    }
};

TEST_F(StartingDatabase, UnderAnotherProgramsLockItStartsAndListsTheItemsOnceTheLockIsGone)
{
    using Lock = CLockHolderProcess::Lock;
    struct Case {
        const char* name;
        Lock lock;
        int loadsWhileHeld;  // tries of the hot list to wait for while the lock is held
        std::wstring statusWhileHeld;
        int rowsWhileHeld;
    };
    const std::vector<Case> cases = {
        // A commit under way keeps readers out: said, and tried again each second.
        {"exclusive", Lock::Exclusive, 2, L"数据库正被其他程序占用，列表稍后载入…", 0},
        // An open write transaction lets readers read: listed at once.
        {"write", Lock::Write, 1, kReady, 2},
    };

    for (const Case& busy : cases) {
        SCOPED_TRACE(busy.name);
        CreateItemDatabase(m_dbPath, {{L"甲", L"内容A", 5}, {L"", L"内容B", 9}});
        CLockHolderProcess holder(m_dbPath, busy.lock, 0);
        ASSERT_TRUE(holder.HoldsLock());
        CProbedMainDlg dlg;
        CModalScript script;
        std::wstring statusWhileHeld;
        int rowsWhileHeld = -1;
        bool boxWhileHeld = true, trayIconWhileHeld = false, loadArmedAfterwards = true;
        script
            .Then([&] { return IsUp(dlg.m_hWnd) && dlg.m_loadCount >= busy.loadsWhileHeld; }, 10000,
                  "the list tried while the lock is held")
            .Then([&] {
                statusWhileHeld = StatusText(dlg.m_hWnd);
                rowsWhileHeld = ListedRows(dlg);
                boxWhileHeld = FindSystemDialog() != nullptr;
                trayIconWhileHeld = TrayIconExists(dlg.m_hWnd);
                holder.Go();
                return holder.WaitForExit() == 0;
            })
            .Then([&] { return ListedRows(dlg) == 2 && StatusText(dlg.m_hWnd) == kReady; }, 5000,
                  "listed once the lock is gone")
            .Then([&] {
                loadArmedAfterwards = ::KillTimer(dlg.m_hWnd, CMainDlg::kLoadTimer) != FALSE;
                return ::PostMessageW(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
            });
        ModalOutcome outcome = RunModal(dlg, script);

        EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
        EXPECT_FALSE(outcome.quitCode.has_value()) << "closed by the close box, not refused";
        EXPECT_EQ(statusWhileHeld, busy.statusWhileHeld);
        EXPECT_EQ(rowsWhileHeld, busy.rowsWhileHeld);
        EXPECT_FALSE(boxWhileHeld);
        EXPECT_TRUE(trayIconWhileHeld);
        EXPECT_FALSE(loadArmedAfterwards) << "the list loads once";
    }
}

TEST_F(StartingDatabase, DamagedPastItsHeaderItStartsAndSaysTheListIsUnreadable)
{
    std::vector<TestItem> items;
    for (int i = 0; i < 300; ++i)
        items.push_back({L"条目" + std::to_wstring(i), std::wstring(40, L'字')});
    CreateItemDatabase(m_dbPath, items);
    // The schema's page and the two tables' first pages stay; every page of rows after them is
    // overwritten. The page size is the header's big-endian 16-bit field at offset 16.
    const std::string bytes = FileBytes(m_dbPath);
    const size_t pageSize = static_cast<size_t>(static_cast<unsigned char>(bytes.at(16)) << 8 |
                                                static_cast<unsigned char>(bytes.at(17)));
    const size_t kept = 3 * pageSize;
    ASSERT_GT(bytes.size(), 2 * kept);
    WriteFileBytes(m_dbPath, bytes.substr(0, kept) + std::string(bytes.size() - kept, '\x5A'));
    std::wstring status;
    int rows = -1;
    bool box = true, statusTimerArmed = true, loadArmed = true;
    WaitUntilShown()
        .Then([this] { return m_dlg.m_loadsEnded >= 1; }, 5000, "the list tried to its end")
        .Then([&] {
            // Brought up again, the window does not read the same damage again.
            ::SendMessageW(Main(), WM_ACTIVATE, WA_ACTIVE, 0);
            status = StatusText(Main());
            rows = ListedRows(m_dlg);
            box = FindSystemDialog() != nullptr;
            statusTimerArmed = ::KillTimer(Main(), CMainDlg::kStatusTimer) != FALSE;
            loadArmed = ::KillTimer(Main(), CMainDlg::kLoadTimer) != FALSE;
            return true;
        });
    CloseWithCloseBox();
    ModalOutcome outcome = Run();

    EXPECT_FALSE(outcome.quitCode.has_value()) << "closed by the close box, not refused";
    EXPECT_EQ(status, L"无法读取数据库，列表不完整！");
    EXPECT_EQ(rows, 0);
    EXPECT_FALSE(box);
    EXPECT_FALSE(statusTimerArmed) << "the text stays";
    EXPECT_FALSE(loadArmed) << "not tried again";
    EXPECT_EQ(m_dlg.m_loadCount, 1) << "the unchanged file read again";
}

}  // namespace
