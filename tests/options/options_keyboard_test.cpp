// COptionsDlg ended by the keyboard and the close box, and Enter on each of its buttons.
#include "options/optionsdlg.h"

#include "appstate/globals.h"
#include "res/resource.h"
#include "tests/options/options_fixture.h"

using testing_support::CModalScript;

namespace {

// Ways of ending the dialog that bypass its own buttons.
enum class Ending { EscapeKey, CloseBox, EnterOnCheckBox };

const char* NameOf(Ending ending)
{
    switch (ending) {
    case Ending::EscapeKey: return "Esc";
    case Ending::CloseBox: return "close box";
    case Ending::EnterOnCheckBox: return "Enter on the check box";
    }
    return "?";
}

bool HasFocus(HWND dialog, int id)
{
    return ::GetFocus() == ::GetDlgItem(dialog, id);
}

}  // namespace

using OptionsDialogKeys = COptionsTest;

TEST_F(OptionsDialogKeys, EscCloseBoxAndEnterOnTheBoxEndWithoutSavingButKeepAConfirmedClear)
{
    for (Ending ending : {Ending::EscapeKey, Ending::CloseBox, Ending::EnterOnCheckBox}) {
        SCOPED_TRACE(NameOf(ending));
        SetAutoMin(0, 0);
        CreateClickedDatabase();
        COptionsDlg dlg(m_hotkey);
        HWND dialog = nullptr;
        SeenBox confirm;
        CModalScript script;
        script.Then([&] { return IsUp(dlg.m_hWnd) && ::GetForegroundWindow() == dlg.m_hWnd; })
              .Then([&] { dialog = dlg.m_hWnd; PostClick(dialog, IDC_AUTOMIN); return true; })
              .Then([&] { return ::IsDlgButtonChecked(dialog, IDC_AUTOMIN) == BST_CHECKED; })
              .Then([&] { PostClick(dialog, IDC_CLEARHISTORY); return true; });
        AnswerNextBox(script, IDYES, &confirm);
        script.Then([&] { return dlg.m_isHistoryCleared != FALSE; }, 5000, "clear reported")
              .Then([&] { PostFocus(dialog, IDC_AUTOMIN); return true; })
              .Then([&] { return HasFocus(dialog, IDC_AUTOMIN); }, 5000, "focus on the check box")
              .Then([&] {
                  if (ending == Ending::CloseBox)
                      ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                  else
                      PostKey(ending == Ending::EscapeKey ? VK_ESCAPE : VK_RETURN);
                  return true;
              });
        script.Start();
        INT_PTR result = dlg.DoModal();
        ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

        EXPECT_EQ(result, ending == Ending::EnterOnCheckBox ? IDOK : IDCANCEL);
        EXPECT_TRUE(dlg.m_isHistoryCleared);
        EXPECT_EQ(StoredItems(), ClearedItems());
        EXPECT_EQ(g_isAutoMin, 0) << "the check box is not saved";
        EXPECT_EQ(StoredAutoMin(), 0);
    }
}

TEST_F(OptionsDialogKeys, EnterOnAPushButtonActsAsAClickOnIt)
{
    for (int button : {IDC_OPTIONS_OK, IDC_OPTIONS_CANCEL, IDC_CLEARHISTORY}) {
        SCOPED_TRACE(button);
        SetAutoMin(0, 0);
        COptionsDlg dlg(m_hotkey);
        HWND dialog = nullptr;
        SeenBox confirm;
        bool openAfterAnswer = false;
        CModalScript script;
        script.Then([&] { return IsUp(dlg.m_hWnd) && ::GetForegroundWindow() == dlg.m_hWnd; })
              .Then([&] { dialog = dlg.m_hWnd; PostKey(VK_SPACE); return true; })  // the box has the focus
              .Then([&] { return ::IsDlgButtonChecked(dialog, IDC_AUTOMIN) == BST_CHECKED; })
              .Then([&] { PostFocus(dialog, button); return true; })
              .Then([&] { return HasFocus(dialog, button); }, 5000, "focus on the button")
              .Then([&] { PostKey(VK_RETURN); return true; });
        if (button == IDC_CLEARHISTORY) {
            AnswerNextBox(script, IDNO, &confirm);
            script.Then([&] {
                openAfterAnswer = IsUp(dialog);
                PostClick(dialog, IDC_OPTIONS_CANCEL);
                return true;
            });
        }
        script.Start();
        INT_PTR result = dlg.DoModal();
        ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

        EXPECT_EQ(result, button == IDC_OPTIONS_OK ? IDOK : IDCANCEL);
        int saved = button == IDC_OPTIONS_OK ? 1 : 0;
        EXPECT_EQ(g_isAutoMin, saved);
        EXPECT_EQ(StoredAutoMin(), saved);
        if (button == IDC_CLEARHISTORY) {
            EXPECT_EQ(confirm.text, L"确定清空操作历史吗？此操作也会清空操作排名。");
            EXPECT_EQ(confirm.owner, dialog);
            EXPECT_TRUE(openAfterAnswer);
        }
    }
}
