// RunItemsCommand over a main window: the dialog's owner, and what it tells after a change.
#include "items/itemscommand.h"

#include "res/resource.h"
#include "tests/items/items_fixture.h"
#include "tests/support/message_box.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

using namespace items_testing;

namespace {

// A top-level window that plays the application's main window for one test.
class CTestMainWindow {
public:
    CTestMainWindow()
    {
        HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                      nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        m_wnd.Attach(hWnd);
        AfxGetApp()->m_pMainWnd = &m_wnd;
    }
    ~CTestMainWindow()
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        ::DestroyWindow(m_wnd.Detach());
    }
    CTestMainWindow(const CTestMainWindow&) = delete;
    CTestMainWindow& operator=(const CTestMainWindow&) = delete;

    HWND Handle() const { return m_wnd.m_hWnd; }

private:
    CWnd m_wnd;
};

class ItemsCommandTest : public ItemsTest {
protected:
    // The items dialog the command opened, or null.
    static HWND ItemsDialog() { return FindThreadWindow(L"数据项"); }
};

}  // namespace

TEST_F(ItemsCommandTest, ClosingWithoutChangeLeavesTheProgramRunning)
{
    UseItems({{L"a", L"1"}});
    CTestMainWindow main;
    HWND owner = nullptr;
    bool mainEnabled = true;
    testing_support::CModalScript script;
    script.Then([&] { return ItemsDialog() != nullptr; }).Then([&] {
        owner = ::GetWindow(ItemsDialog(), GW_OWNER);
        mainEnabled = ::IsWindowEnabled(main.Handle());
        ::PostMessageW(ItemsDialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    });
    script.Start();
    EXPECT_FALSE(RunItemsCommand(main.Handle()));
    EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_EQ(owner, main.Handle());
    EXPECT_FALSE(mainEnabled) << "the main window waits while the dialog is open";
    EXPECT_TRUE(::IsWindowEnabled(main.Handle()));
    EXPECT_EQ(FindSystemDialog(), nullptr);
    EXPECT_EQ(testing_support::TakePendingQuit(), std::nullopt);
}

TEST_F(ItemsCommandTest, AnyChangeIsReportedToTheMainWindowWhichKeepsRunning)
{
    UseItems({{L"a", L"1"}, {L"b", L"2"}});
    CTestMainWindow main;
    bool changed = false;
    testing_support::CModalScript script;
    script.Then([&] { return ItemsDialog() != nullptr; })
        .Then([&] {
            HWND dlg = ItemsDialog();
            // A press of the space bar checks the first row, which has the focus.
            HWND list = ::GetDlgItem(dlg, IDC_ITEMLIST);
            ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
            ::PostMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
            ::PostMessageW(::GetDlgItem(dlg, IDC_DELETECHECKED), BM_CLICK, 0, 0);
            return true;
        })
        .Then([&] { return ListView_GetItemCount(::GetDlgItem(ItemsDialog(), IDC_ITEMLIST)) == 1; })
        .Then([&] {
            ::PostMessageW(ItemsDialog(), WM_COMMAND, IDOK, 0);  // Enter closes it as well
            return true;
        });
    script.Start();
    changed = RunItemsCommand(main.Handle());
    EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_TRUE(changed) << "the main window reads its list again";
    EXPECT_EQ(FindSystemDialog(), nullptr) << "no box after the dialog";
    EXPECT_EQ(testing_support::TakePendingQuit(), std::nullopt) << "the program keeps running";
    EXPECT_EQ(Stored().size(), 1u);
}
