// RunOptionsCommand over a running main window: the dialog's owner, and what it tells after a
// cleared history, with no box after it and no quit.
#include "options/optionscommand.h"

#include "framework/afxwin.h"
#include "res/resource.h"
#include "tests/options/options_fixture.h"
#include "tests/support/message_box.h"
#include "tests/support/pump.h"

using testing_support::CMainWindowScope;
using testing_support::CModalScript;

namespace {

BOOL CALLBACK FindOptionsWindow(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, IDC_CLEARHISTORY)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The options dialog the command has opened, or null.
HWND FindOptionsDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindOptionsWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// What one run of the command showed.
struct CommandRun {
    bool scriptsSucceeded = false;
    HWND mainWnd = nullptr;
    HWND optionsOwner = nullptr;
    bool mainEnabledUnderOptions = true;
    bool mainEnabledAfter = false;
    bool cleared = false;
    SeenBox boxAfter;
    std::optional<int> quitCode;
};

// Runs the command from inside a modal main window, as the tray menu does; driveOptions appends
// the steps that work the options dialog (found as options) until it closes, answering any
// confirmation into confirm.
template <typename DriveOptions>
CommandRun RunCommand(CGlobalHotkey& hotkey, DriveOptions driveOptions)
{
    CommandRun run;
    CDialog mainDlg(IDD_MAIN);
    CMainWindowScope mainScope(&mainDlg);
    HWND options = nullptr;
    SeenBox confirm;
    bool commandReturned = false;

    CModalScript outer;
    outer.Then([&] { return IsUp(mainDlg.m_hWnd); })
         .Then([&] {
             run.mainWnd = mainDlg.m_hWnd;
             run.cleared = RunOptionsCommand(run.mainWnd, hotkey);
             commandReturned = true;
             run.mainEnabledAfter = ::IsWindowEnabled(run.mainWnd);
             mainDlg.EndDialog(IDOK);
             return true;
         });
    CModalScript inner;
    inner.Then([&] { return (options = FindOptionsDialog()) != nullptr; }, 5000, "options dialog appears")
         .Then([&] {
             run.optionsOwner = ::GetWindow(options, GW_OWNER);
             run.mainEnabledUnderOptions = ::IsWindowEnabled(run.mainWnd);
             return true;
         });
    driveOptions(inner, options, confirm);
    // Whatever the command shows after the dialog is answered and recorded here.
    inner.Then([&] { return !::IsWindow(options); }, 5000, "options dialog goes")
         .Then([&] {
             if (commandReturned && !testing_support::FindSystemDialog())
                 return true;
             return testing_support::AnswerBox(run.boxAfter)();
         }, 5000, "a box or the return");
    outer.Start();
    inner.Start();
    mainDlg.DoModal();
    testing_support::PumpUntil([&] { return inner.Finished(); });
    run.scriptsSucceeded = outer.Succeeded() && inner.Succeeded();
    run.quitCode = testing_support::TakePendingQuit();
    return run;
}

}  // namespace

using OptionsCommand = COptionsTest;

TEST_F(OptionsCommand, AConfirmedClearThenCancelIsToldToTheMainWindowWhichKeepsRunning)
{
    CommandRun run = RunCommand(m_hotkey, [](CModalScript& script, HWND& options, SeenBox& confirm) {
        script.Then([&] { PostClick(options, IDC_CLEARHISTORY); return true; });
        AnswerNextBox(script, IDYES, &confirm);
        script.Then([&] { PostClick(options, IDC_OPTIONS_CANCEL); return true; });
    });
    ASSERT_TRUE(run.scriptsSucceeded);
    EXPECT_EQ(run.optionsOwner, run.mainWnd);
    EXPECT_FALSE(run.mainEnabledUnderOptions);
    EXPECT_TRUE(run.cleared) << "the main window shows the fresh order";
    EXPECT_FALSE(run.boxAfter.seen) << run.boxAfter.text;
    EXPECT_EQ(run.quitCode, std::nullopt) << "the program keeps running";
    EXPECT_EQ(StoredItems(), ClearedItems());
}

TEST_F(OptionsCommand, WithoutAConfirmedClearNothingIsShownAndNothingQuits)
{
    // Answering no, then OK; and the dialog closed straight away.
    for (bool askFirst : {true, false}) {
        SCOPED_TRACE(askFirst ? "no, then OK" : "OK");
        CommandRun run = RunCommand(m_hotkey, [askFirst](CModalScript& script, HWND& options, SeenBox& confirm) {
            if (askFirst) {
                script.Then([&] { PostClick(options, IDC_CLEARHISTORY); return true; });
                AnswerNextBox(script, IDNO, &confirm);
            }
            script.Then([&] { PostClick(options, IDC_OPTIONS_OK); return true; });
        });
        ASSERT_TRUE(run.scriptsSucceeded);
        EXPECT_FALSE(run.cleared);
        EXPECT_FALSE(run.boxAfter.seen) << run.boxAfter.text;
        EXPECT_EQ(run.quitCode, std::nullopt) << "no quit is posted";
        EXPECT_TRUE(run.mainEnabledAfter);
        EXPECT_EQ(StoredItems(), ClickedItems());
    }
}
