// The main window fixture and its helpers.
#include "tests/mainwnd/main_window_fixture.h"

#include "tests/mainwnd/modal_run.h"
#include "tests/support/testdb.h"

namespace testing_support {

void PostKey(HWND hWnd, UINT message, UINT key, bool altDown)
{
    LPARAM lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(key, 0)) << 16);
    if (altDown)
        lParam |= KF_ALTDOWN << 16;
    ::PostMessageW(hWnd, message, key, lParam);
}

bool CursorAt(int x, int y)
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    return cursor.x == x && cursor.y == y;
}

void MainWindowFixture::SetUp()
{
    m_dbPath = ProgramFolder() + L"sys.mdb";
    CreateItemDatabase(m_dbPath);
}

void MainWindowFixture::TearDown()
{
    ::DeleteFileW(m_dbPath.c_str());
}

CModalScript& MainWindowFixture::WaitUntilShown()
{
    return m_script.Then([this] { return Main() && ::IsWindowVisible(Main()); }, 5000,
                         "the main window shows");
}

CModalScript& MainWindowFixture::SettlePosted()
{
    // Two rounds: a message handled in the first may have posted another behind its sentinel.
    for (int round = 0; round < 2; ++round) {
        int sentinel = --m_nextSentinel;
        m_script.Then([this, sentinel] { return ::PostMessageW(Main(), WM_ITEMCLICK, 0, sentinel) != FALSE; })
            .Then([this, sentinel] { return m_dlg.Copied(sentinel); }, 3000, "posted messages handled");
    }
    return m_script;
}

CModalScript& MainWindowFixture::CloseWithCloseBox()
{
    return m_script.Then([this] { return ::PostMessageW(Main(), WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; });
}

CModalScript& MainWindowFixture::Minimise()
{
    return m_script
        .Then([this] {
            ::ShowWindow(Main(), SW_MINIMIZE);
            return true;
        })
        .Then([this] { return ::IsIconic(Main()) != FALSE; }, 3000, "minimised");
}

ModalOutcome MainWindowFixture::Run()
{
    ModalOutcome outcome = RunModal(m_dlg, m_script);
    EXPECT_TRUE(m_script.Succeeded()) << "timed out: " << m_script.FailedStep();
    return outcome;
}

std::vector<int> MainWindowFixture::Clicks() const
{
    std::vector<int> clicks;
    for (int id : m_dlg.m_copiedIds)
        if (id >= 0)
            clicks.push_back(id);
    return clicks;
}

}  // namespace testing_support
