// A sys.mdb that exists but is not an item database (or is a folder): refused at start-up, and never changed.
#include "appstate/globals.h"
#include "base/text_codec.h"
#include "store/sqlite_handles.h"
#include "tests/mainwnd/main_window_fixture.h"
#include "tests/mainwnd/tray_probe.h"
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

}  // namespace
