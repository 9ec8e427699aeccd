// COptionsDlg with the mouse: showing and saving the setting, clearing the history with its
// confirmation, and the template the dialog is made from.
#include "options/optionsdlg.h"

#include "appstate/globals.h"
#include "corelib/program_path.h"
#include "corelib/settings_file.h"
#include "res/resource.h"
#include "tests/options/options_fixture.h"
#include "tests/support/immutable_file.h"

using testing_support::CModalScript;

namespace {
constexpr const wchar_t* kConfirmText = L"确定清空操作历史吗？此操作也会清空操作排名。";

std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    ::GetDlgItemTextW(dialog, id, text, ARRAYSIZE(text));
    return text;
}

int ButtonType(HWND dialog, int id)
{
    return static_cast<int>(::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK);
}
}  // namespace

using OptionsDialog = COptionsTest;

TEST_F(OptionsDialog, ComesUpWithItsCaptionControlsAndNoDefaultButton)
{
    COptionsDlg dlg;
    DWORD style = 0;
    std::wstring caption;
    std::vector<int> tabOrder;
    std::vector<std::wstring> texts;
    std::vector<int> types;
    bool hasOkOrCancelId = true;
    LRESULT defaultId = 0;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] {
              HWND hWnd = dlg.m_hWnd;
              style = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE));
              wchar_t text[64] = {};
              ::GetWindowTextW(hWnd, text, ARRAYSIZE(text));
              caption = text;
              HWND first = ::GetNextDlgTabItem(hWnd, nullptr, FALSE);
              for (HWND item = first; item && (tabOrder.empty() || item != first);
                   item = ::GetNextDlgTabItem(hWnd, item, FALSE))
                  tabOrder.push_back(::GetDlgCtrlID(item));
              for (int id : {IDC_OPTIONS_OK, IDC_OPTIONS_CANCEL, IDC_CLEARHISTORY}) {
                  texts.push_back(ControlText(hWnd, id));
                  types.push_back(ButtonType(hWnd, id));
              }
              texts.push_back(ControlText(hWnd, IDC_AUTOMIN));
              types.push_back(ButtonType(hWnd, IDC_AUTOMIN));
              hasOkOrCancelId = ::GetDlgItem(hWnd, IDOK) || ::GetDlgItem(hWnd, IDCANCEL);
              defaultId = ::SendMessageW(hWnd, DM_GETDEFID, 0, 0);
              dlg.EndDialog(IDCANCEL);
              return true;
          });
    script.Start();
    dlg.DoModal();
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(caption, L"选项");
    EXPECT_TRUE(style & WS_SYSMENU) << "a close box";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(tabOrder, (std::vector<int>{IDC_AUTOMIN, IDC_OPTIONS_OK, IDC_OPTIONS_CANCEL, IDC_CLEARHISTORY}));
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"确定", L"取消", L"清空历史", L"点击复制后，界面最小化"}));
    EXPECT_EQ(types, (std::vector<int>{BS_PUSHBUTTON, BS_PUSHBUTTON, BS_PUSHBUTTON, BS_AUTOCHECKBOX}));
    EXPECT_FALSE(hasOkOrCancelId);
    EXPECT_EQ(LOWORD(defaultId), IDOK) << "no button of the dialog is its default one";
}

TEST_F(OptionsDialog, ShowsTheSettingAndStartsWithNoClearReported)
{
    for (int isAutoMin : {0, 1}) {
        SetAutoMin(isAutoMin, isAutoMin);
        COptionsDlg dlg;
        dlg.m_isHistoryCleared = TRUE;  // left over from nothing: initialisation starts afresh
        UINT checkState = 99;
        BOOL clearedAtStart = TRUE;
        int focusId = 0;
        CModalScript script;
        script.Then([&] { return IsUp(dlg.m_hWnd); })
              .Then([&] {
                  checkState = ::IsDlgButtonChecked(dlg.m_hWnd, IDC_AUTOMIN);
                  clearedAtStart = dlg.m_isHistoryCleared;
                  focusId = ::GetDlgCtrlID(::GetFocus());
                  PostClick(dlg.m_hWnd, IDC_OPTIONS_CANCEL);
                  return true;
              });
        script.Start();
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
        EXPECT_EQ(checkState, isAutoMin ? BST_CHECKED : BST_UNCHECKED) << "setting " << isAutoMin;
        EXPECT_FALSE(clearedAtStart);
        EXPECT_EQ(focusId, IDC_AUTOMIN) << "the first tab stop has the focus";
    }
}

TEST_F(OptionsDialog, OkSavesTheBoxForNowAndForTheNextStart)
{
    COptionsDlg dlg;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { PostClick(dlg.m_hWnd, IDC_AUTOMIN); return true; })
          .Then([&] { return ::IsDlgButtonChecked(dlg.m_hWnd, IDC_AUTOMIN) == BST_CHECKED; })
          .Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_OK); return true; });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_EQ(g_isAutoMin, 1);
    EXPECT_EQ(StoredAutoMin(), 1) << "read back by a new CCore, as after a restart";
    EXPECT_FALSE(dlg.m_isHistoryCleared);
    EXPECT_EQ(StoredItems(), ClickedItems());
}

TEST_F(OptionsDialog, ASettingThatCannotBeWrittenSaysSoAndKeepsTheDialogOpen)
{
    SetAutoMin(0, 0);
    testing_support::CImmutableFile readOnly(SettingsPathOf(ProgramFilePath()).str());
    ASSERT_TRUE(readOnly.IsImmutable());
    COptionsDlg dlg;
    HWND dialog = nullptr;
    SeenBox failed;
    bool openAfterBox = false;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { dialog = dlg.m_hWnd; PostClick(dialog, IDC_AUTOMIN); return true; })
          .Then([&] { return ::IsDlgButtonChecked(dialog, IDC_AUTOMIN) == BST_CHECKED; })
          .Then([&] { PostClick(dialog, IDC_OPTIONS_OK); return true; });
    AnswerNextBox(script, IDOK, &failed);
    script.Then([&] {
              openAfterBox = ::IsWindowVisible(dialog) != FALSE;
              PostClick(dialog, IDC_OPTIONS_CANCEL);
              return true;
          });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "only 取消 closed it";
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(failed.text, L"无法保存设置！设置文件可能是只读的，或正被其他程序使用。");
    EXPECT_EQ(failed.owner, dialog);
    EXPECT_TRUE(openAfterBox);
    EXPECT_EQ(g_isAutoMin, 0) << "a setting not saved is not taken";
    EXPECT_EQ(StoredAutoMin(), 0);
}

TEST_F(OptionsDialog, OkWithoutTouchingTheBoxStoresTheShownValueAgain)
{
    for (int isAutoMin : {0, 1}) {
        // The stored value differs, so only a save of the shown one can make them agree.
        SetAutoMin(isAutoMin, !isAutoMin);
        COptionsDlg dlg;
        CModalScript script;
        script.Then([&] { return IsUp(dlg.m_hWnd); })
              .Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_OK); return true; });
        script.Start();
        EXPECT_EQ(dlg.DoModal(), IDOK);
        ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
        EXPECT_EQ(g_isAutoMin, isAutoMin);
        EXPECT_EQ(StoredAutoMin(), isAutoMin);
    }
}

TEST_F(OptionsDialog, CancelAfterAConfirmedClearKeepsTheClearAndDropsTheBox)
{
    COptionsDlg dlg;
    HWND dialog = nullptr;
    SeenBox confirm;
    bool openAfterClear = false;
    BOOL reportedBeforeCancel = FALSE;
    std::vector<testing_support::StoredItem> itemsBeforeCancel;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { dialog = dlg.m_hWnd; PostClick(dialog, IDC_AUTOMIN); return true; })
          .Then([&] { return ::IsDlgButtonChecked(dialog, IDC_AUTOMIN) == BST_CHECKED; })
          .Then([&] { PostClick(dialog, IDC_CLEARHISTORY); return true; });
    AnswerNextBox(script, IDYES, &confirm);
    script.Then([&] { return dlg.m_isHistoryCleared != FALSE; }, 5000, "clear reported")
          .Then([&] {
              openAfterClear = IsUp(dlg.m_hWnd);
              reportedBeforeCancel = dlg.m_isHistoryCleared;
              itemsBeforeCancel = StoredItems();
              PostClick(dlg.m_hWnd, IDC_OPTIONS_CANCEL);
              return true;
          });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(confirm.text, kConfirmText);
    EXPECT_EQ(confirm.owner, dialog) << "owned by the dialog";
    EXPECT_TRUE(openAfterClear) << "the dialog stays open after a clear";
    EXPECT_TRUE(reportedBeforeCancel);
    EXPECT_EQ(itemsBeforeCancel, ClearedItems()) << "cleared as soon as the box is answered";
    EXPECT_TRUE(dlg.m_isHistoryCleared) << "cancel does not undo the report";
    EXPECT_EQ(StoredItems(), ClearedItems());
    EXPECT_EQ(g_isAutoMin, 0);
    EXPECT_EQ(StoredAutoMin(), 0);
}

TEST_F(OptionsDialog, AnsweringNoChangesNothingAndKeepsAnEarlierClearReported)
{
    COptionsDlg dlg;
    SeenBox first, second;
    BOOL reportedAfterNo = TRUE;
    std::vector<testing_support::StoredItem> itemsAfterNo;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { PostClick(dlg.m_hWnd, IDC_CLEARHISTORY); return true; });
    AnswerNextBox(script, IDNO, &first);
    script.Then([&] {
              reportedAfterNo = dlg.m_isHistoryCleared;
              itemsAfterNo = StoredItems();
              PostClick(dlg.m_hWnd, IDC_CLEARHISTORY);
              return true;
          });
    AnswerNextBox(script, IDYES, &second);
    script.Then([&] { return dlg.m_isHistoryCleared != FALSE; }, 5000, "clear reported")
          .Then([&] {
              // A click counted meanwhile: a later "no" must leave it standing.
              testing_support::ExecuteSql(DatabasePath(),
                                          L"update T_ITEM set clicktimes=1,lasttime='2026-04-01 08:00:00' where id=2");
              PostClick(dlg.m_hWnd, IDC_CLEARHISTORY);
              return true;
          });
    SeenBox third;
    AnswerNextBox(script, IDNO, &third);
    script.Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_OK); return true; });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(first.text, kConfirmText);
    EXPECT_FALSE(reportedAfterNo);
    EXPECT_EQ(itemsAfterNo, ClickedItems());
    EXPECT_TRUE(dlg.m_isHistoryCleared) << "a later no keeps the earlier clear reported";
    std::vector<testing_support::StoredItem> expected = ClearedItems();
    expected[1].clicktimes = 1;
    expected[1].lasttime = L"2026-04-01 08:00:00";
    EXPECT_EQ(StoredItems(), expected);
}

TEST_F(OptionsDialog, TwoConfirmedClearsEndAsOne)
{
    COptionsDlg dlg;
    SeenBox first, second;
    std::vector<testing_support::StoredItem> afterFirst;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { PostClick(dlg.m_hWnd, IDC_CLEARHISTORY); return true; });
    AnswerNextBox(script, IDYES, &first);
    script.Then([&] {
              afterFirst = StoredItems();
              PostClick(dlg.m_hWnd, IDC_CLEARHISTORY);
              return true;
          });
    AnswerNextBox(script, IDYES, &second);
    script.Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_CANCEL); return true; });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(second.text, kConfirmText) << "the second clear asks again";
    EXPECT_EQ(afterFirst, ClearedItems());
    EXPECT_EQ(StoredItems(), ClearedItems());
    EXPECT_TRUE(dlg.m_isHistoryCleared);
}

TEST_F(OptionsDialog, AClearThatCannotBeWrittenSaysSoAndAsksForNoRestart)
{
    testing_support::CImmutableFile readOnly(DatabasePath());
    ASSERT_TRUE(readOnly.IsImmutable());
    COptionsDlg dlg;
    HWND dialog = nullptr;
    SeenBox confirm, failed;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { dialog = dlg.m_hWnd; PostClick(dialog, IDC_CLEARHISTORY); return true; });
    AnswerNextBox(script, IDYES, &confirm);
    AnswerNextBox(script, IDOK, &failed);
    script.Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_CANCEL); return true; });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(failed.text, L"无法写入数据库，历史未清空！数据库文件可能是只读的，或正被其他程序使用。");
    EXPECT_EQ(failed.owner, dialog);
    EXPECT_FALSE(dlg.m_isHistoryCleared);
    EXPECT_EQ(StoredItems(), ClickedItems());
}
