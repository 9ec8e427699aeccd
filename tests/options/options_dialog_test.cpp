// COptionsDlg with the mouse: showing and saving the settings, the global hotkey put into effect
// or refused, clearing the history with its confirmation, and the template the dialog is made from.
#include "options/optionsdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "corelib/program_path.h"
#include "corelib/settings_file.h"
#include "options/autostart.h"
#include "options/hotkey_setting.h"
#include "res/resource.h"
#include "tests/options/options_fixture.h"
#include "tests/support/hotkey_input.h"
#include "tests/support/immutable_file.h"
#include "tests/support/other_program.h"
#include "tests/support/pump.h"
#include "tests/support/user_registry.h"

#include <commctrl.h>

#include <optional>
#include <string>

using testing_support::CModalScript;
using testing_support::Utf8;

namespace {
constexpr const wchar_t* kConfirmText = L"确定清空操作历史吗？此操作也会清空操作排名。";
constexpr WORD kCtrlShiftF = ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8) | 'F';

WORD FieldHotkey(HWND dialog)
{
    return static_cast<WORD>(::SendDlgItemMessageW(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
}

// What the user's keys leave in the hot key control.
void SetFieldHotkey(HWND dialog, WORD hotkey)
{
    ::SendDlgItemMessageW(dialog, IDC_HOTKEY, HKM_SETHOTKEY, hotkey, 0);
}

// Whether another registration could have the key now: false while anyone holds it.
bool IsFree(HWND window, WORD hotkey)
{
    return CGlobalHotkey(window, 99, hotkey).IsRegistered();
}

std::wstring ClassOf(HWND dialog, int id)
{
    wchar_t name[64] = {};
    ::GetClassNameW(::GetDlgItem(dialog, id), name, ARRAYSIZE(name));
    return name;
}

std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    ::GetDlgItemTextW(dialog, id, text, ARRAYSIZE(text));
    return text;
}

std::wstring CharUpper(std::wstring text)
{
    ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
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
    COptionsDlg dlg(m_hotkey);
    DWORD style = 0;
    std::wstring caption;
    std::vector<int> tabOrder;
    std::vector<std::wstring> texts;
    std::vector<int> types;
    std::wstring hotkeyClass;
    std::wstring hotkeyLabel;
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
              for (int id : {IDC_OPTIONS_OK, IDC_OPTIONS_CANCEL, IDC_CLEARHISTORY, IDC_HOTKEY_CLEAR}) {
                  texts.push_back(ControlText(hWnd, id));
                  types.push_back(ButtonType(hWnd, id));
              }
              for (int id : {IDC_TEAMFILE_LABEL, IDC_TEAMFILE_BROWSE, IDC_TEAMFILE_CLEAR})
                  texts.push_back(ControlText(hWnd, id));
              for (int id : {IDC_AUTOMIN, IDC_PASTEBACK, IDC_AUTOSTART}) {
                  texts.push_back(ControlText(hWnd, id));
                  types.push_back(ButtonType(hWnd, id));
              }
              hotkeyClass = ClassOf(hWnd, IDC_HOTKEY);
              wchar_t label[64] = {};
              ::GetWindowTextW(::GetWindow(::GetDlgItem(hWnd, IDC_HOTKEY), GW_HWNDPREV), label, ARRAYSIZE(label));
              hotkeyLabel = label;
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
    EXPECT_EQ(tabOrder,
              (std::vector<int>{IDC_AUTOMIN, IDC_PASTEBACK, IDC_AUTOSTART, IDC_HOTKEY, IDC_HOTKEY_CLEAR, IDC_TEAMFILE,
                                IDC_TEAMFILE_BROWSE, IDC_TEAMFILE_CLEAR, IDC_OPTIONS_OK, IDC_OPTIONS_CANCEL,
                                IDC_CLEARHISTORY}));
    EXPECT_EQ(hotkeyClass, L"msctls_hotkey32");
    EXPECT_EQ(hotkeyLabel, L"全局热键：") << "the label just before the field";
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"确定", L"取消", L"清空历史", L"清除", L"团队项目文件：", L"浏览...",
                                                  L"清除", L"点击复制后，界面最小化", L"选中后粘贴到原来的窗口",
                                                  L"开机时自动启动"}));
    EXPECT_EQ(types, (std::vector<int>{BS_PUSHBUTTON, BS_PUSHBUTTON, BS_PUSHBUTTON, BS_PUSHBUTTON, BS_AUTOCHECKBOX,
                                       BS_AUTOCHECKBOX, BS_AUTOCHECKBOX}));
    EXPECT_FALSE(hasOkOrCancelId);
    EXPECT_EQ(LOWORD(defaultId), IDOK) << "no button of the dialog is its default one";
}

TEST_F(OptionsDialog, ShowsTheSettingAndStartsWithNoClearReported)
{
    for (int isAutoMin : {0, 1}) {
        SetAutoMin(isAutoMin, isAutoMin);
        COptionsDlg dlg(m_hotkey);
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

TEST_F(OptionsDialog, OkSavesTheBoxesForNowAndForTheNextStart)
{
    COptionsDlg dlg(m_hotkey);
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { return ::IsDlgButtonChecked(dlg.m_hWnd, IDC_PASTEBACK) == BST_UNCHECKED; }, 1000,
                "pasting back is off until chosen")
          .Then([&] { PostClick(dlg.m_hWnd, IDC_AUTOMIN); PostClick(dlg.m_hWnd, IDC_PASTEBACK); return true; })
          .Then([&] {
              return ::IsDlgButtonChecked(dlg.m_hWnd, IDC_AUTOMIN) == BST_CHECKED &&
                     ::IsDlgButtonChecked(dlg.m_hWnd, IDC_PASTEBACK) == BST_CHECKED;
          })
          .Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_OK); return true; });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_EQ(g_isAutoMin, 1);
    EXPECT_EQ(StoredAutoMin(), 1) << "read back by a new CCore, as after a restart";
    EXPECT_EQ(StoredFlag(kPasteBackKey), 1) << "read at each copy from the settings file";
    EXPECT_FALSE(dlg.m_isHistoryCleared);
    EXPECT_EQ(StoredItems(), ClickedItems());
}

// The box shows the user's Run value as the registry holds it when the dialog opens, and 确定
// writes or removes it; another copy's value is that copy's own.
TEST_F(OptionsDialog, TheStartWithWindowsBoxShowsAndSetsTheRunValue)
{
    const std::wstring ours = AutoStartCommand(ProgramFilePath()).GetString();
    const std::wstring anotherCopys = L"\"C:\\其他\\Mirelo.exe\" /min";
    struct Case {
        const char* why;
        std::optional<std::wstring> before;
        bool click;
        UINT shown;
        std::optional<std::wstring> after;
    } cases[] = {
        {"none, ticked: ours written", std::nullopt, true, BST_UNCHECKED, ours},
        {"ours, unticked: removed", ours, true, BST_CHECKED, std::nullopt},
        {"ours as the setup writes it, in other case: kept", CharUpper(ours), false, BST_CHECKED, ours},
        {"another copy's, left unticked: left alone", anotherCopys, false, BST_UNCHECKED, anotherCopys},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.why);
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName);
        if (test.before)
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, REG_SZ, test.before->c_str(),
                              static_cast<DWORD>((test.before->size() + 1) * sizeof(wchar_t)));
        COptionsDlg dlg(m_hotkey);
        UINT shown = 99;
        CModalScript script;
        script.Then([&] { return IsUp(dlg.m_hWnd); })
              .Then([&] {
                  shown = ::IsDlgButtonChecked(dlg.m_hWnd, IDC_AUTOSTART);
                  if (test.click)
                      PostClick(dlg.m_hWnd, IDC_AUTOSTART);
                  return true;
              })
              .Then([&] { return !test.click || ::IsDlgButtonChecked(dlg.m_hWnd, IDC_AUTOSTART) != shown; })
              .Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_OK); return true; });
        script.Start();
        EXPECT_EQ(dlg.DoModal(), IDOK);
        ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
        EXPECT_EQ(shown, test.shown);
        EXPECT_EQ(testing_support::UserRegistryText(kRunKey, kRunValueName), test.after);
    }
}

TEST_F(OptionsDialog, ASettingThatCannotBeWrittenSaysSoAndKeepsTheDialogOpen)
{
    SetAutoMin(0, 0);
    testing_support::CImmutableFile readOnly(SettingsPathOf(ProgramFilePath()).str());
    ASSERT_TRUE(readOnly.IsImmutable());
    COptionsDlg dlg(m_hotkey);
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

// A share out of reach now is a good path (the status line tells of it); only a path no file
// could have is refused, with the dialog left open and nothing saved.
TEST_F(OptionsDialog, TheTeamFilePathIsTidiedAndRefusedOnlyWhenNoFileCouldHaveIt)
{
    const struct {
        const wchar_t* typed;
        const wchar_t* stored;  // null: refused
        const char* reason;
    } cases[] = {
        {L"  \"\\\\无此服务器\\共享\\团队项目.csv\"  ", L"\\\\无此服务器\\共享\\团队项目.csv",
         "a share out of reach is taken; the quotes and blanks a pasted path brings go"},
        {L"D:\\团队\\项目.csv", L"D:\\团队\\项目.csv", "a full path on a drive"},
        {L"", L"", "none: no team file"},
        {L"项目.csv", nullptr, "a name without its folder names no file the program could find"},
        {L"D:\\团队\\", nullptr, "a folder, not a file"},
        {L"D:\\团队\\项目?.csv", nullptr, "a character no file name holds"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.reason);
        CCore before;
        before.autoFileConfig();
        ASSERT_TRUE(before.saveConfigS(kTeamFileKey, L"E:\\之前\\团队.csv"));
        COptionsDlg dlg(m_hotkey);
        SeenBox refused;
        CModalScript script;
        script.Then([&] { return IsUp(dlg.m_hWnd); })
              .Then([&] {
                  ::SetDlgItemTextW(dlg.m_hWnd, IDC_TEAMFILE, row.typed);
                  PostClick(dlg.m_hWnd, IDC_OPTIONS_OK);
                  return true;
              });
        if (!row.stored) {
            AnswerNextBox(script, IDOK, &refused);
            script.Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_CANCEL); return true; });
        }
        script.Start();
        EXPECT_EQ(dlg.DoModal(), row.stored ? IDOK : IDCANCEL);
        ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
        CCore after;
        after.autoFileConfig();
        EXPECT_EQ(after.getConfigS(kTeamFileKey).value_or(L"(none)"), row.stored ? row.stored : L"E:\\之前\\团队.csv");
        EXPECT_EQ(refused.text.rfind(L"团队项目文件的路径无效！", 0) == 0, row.stored == nullptr) << Utf8(refused.text);
    }
}

TEST_F(OptionsDialog, OkWithoutTouchingTheBoxStoresTheShownValueAgain)
{
    for (int isAutoMin : {0, 1}) {
        // The stored value differs, so only a save of the shown one can make them agree.
        SetAutoMin(isAutoMin, !isAutoMin);
        COptionsDlg dlg(m_hotkey);
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
    COptionsDlg dlg(m_hotkey);
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
    COptionsDlg dlg(m_hotkey);
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
    COptionsDlg dlg(m_hotkey);
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
    COptionsDlg dlg(m_hotkey);
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

TEST_F(OptionsDialog, OkPutsTheChosenHotkeyIntoEffectAtOnceAndLetsTheOldOneGo)
{
    ASSERT_TRUE(m_hotkey.IsRegistered());
    COptionsDlg dlg(m_hotkey);
    WORD shown = 0;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] {
              shown = FieldHotkey(dlg.m_hWnd);
              SetFieldHotkey(dlg.m_hWnd, kCtrlShiftF);
              PostClick(dlg.m_hWnd, IDC_OPTIONS_OK);
              return true;
          });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(shown, kDefaultHotkey) << "the field shows the key in effect";
    EXPECT_EQ(StoredHotkey(), kCtrlShiftF);
    EXPECT_EQ(m_hotkey.Key(), kCtrlShiftF);
    EXPECT_EQ(m_hotkey.Window(), m_hotkeyWindow);
    ASSERT_TRUE(m_hotkey.IsRegistered());
    ASSERT_TRUE(testing_support::PressHotkeyFor(m_hotkeyWindow, kCtrlShiftF)) << "the new key works";
    MSG pressed = {};
    ::PeekMessageW(&pressed, m_hotkeyWindow, WM_HOTKEY, WM_HOTKEY, PM_REMOVE);
    EXPECT_EQ(static_cast<int>(pressed.wParam), m_hotkey.Id());
    testing_support::PressKeys(kDefaultHotkey);
    EXPECT_FALSE(testing_support::HotkeyQueued(m_hotkeyWindow)) << "the old one no longer does";
    EXPECT_TRUE(IsFree(m_hotkeyWindow, kDefaultHotkey));
}

TEST_F(OptionsDialog, ClearingTheHotkeyAndOkLeavesNoneRegisteredOrStored)
{
    COptionsDlg dlg(m_hotkey);
    HWND dialog = nullptr;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { dialog = dlg.m_hWnd; PostClick(dialog, IDC_HOTKEY_CLEAR); return true; })
          .Then([&] { return FieldHotkey(dialog) == 0; }, 5000, "the field is cleared")
          .Then([&] { PostClick(dialog, IDC_OPTIONS_OK); return true; });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(m_hotkey.Key(), 0);
    EXPECT_FALSE(m_hotkey.IsRegistered());
    EXPECT_EQ(m_hotkey.Error(), 0u) << "no key is not a failure";
    EXPECT_EQ(StoredHotkey(), 0);
    EXPECT_EQ(g_core->getConfigS(kHotkeyKey), CString(L"0"));
    EXPECT_TRUE(IsFree(m_hotkeyWindow, kDefaultHotkey));
}

TEST_F(OptionsDialog, AHotkeyAnotherProgramHoldsIsRefusedWithABoxAndNothingIsSaved)
{
    testing_support::COtherProgram other;
    ASSERT_TRUE(other.Start(kCtrlShiftF));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return other.IsInFront(); }, 15000)) << "the holder is up";
    COptionsDlg dlg(m_hotkey);
    HWND dialog = nullptr;
    SeenBox refused;
    bool openAfterBox = false;
    CModalScript script;
    script.Then([&] { return IsUp(dlg.m_hWnd); })
          .Then([&] { dialog = dlg.m_hWnd; PostClick(dialog, IDC_AUTOMIN); return true; })
          .Then([&] { return ::IsDlgButtonChecked(dialog, IDC_AUTOMIN) == BST_CHECKED; })
          .Then([&] {
              SetFieldHotkey(dialog, kCtrlShiftF);
              PostClick(dialog, IDC_OPTIONS_OK);
              return true;
          });
    AnswerNextBox(script, IDOK, &refused);
    script.Then([&] {
              openAfterBox = ::IsWindowVisible(dialog) != FALSE;
              PostClick(dialog, IDC_OPTIONS_CANCEL);
              return true;
          });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "only 取消 closed it";
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(refused.text, L"全局热键 Ctrl+Shift+F 已被其他程序占用，请换一个。");
    EXPECT_EQ(refused.owner, dialog);
    EXPECT_TRUE(openAfterBox);
    EXPECT_EQ(StoredHotkey(), kDefaultHotkey);
    EXPECT_EQ(StoredAutoMin(), 0) << "nothing is saved";
    EXPECT_EQ(g_isAutoMin, 0);
    EXPECT_EQ(m_hotkey.Key(), kDefaultHotkey);
    EXPECT_TRUE(m_hotkey.IsRegistered()) << "the key in effect stays";
    EXPECT_EQ(other.Close(), 0u);
}

// Keys pressed in the field: one without Ctrl or Alt gets both; 确定 refuses a key every program
// uses with a box over the dialog, which stays open with nothing saved.
TEST_F(OptionsDialog, APlainKeyBecomesCtrlAltKeyAndAKeyEveryProgramUsesIsRefused)
{
    const WORD ctrl = HOTKEYF_CONTROL << 8, alt = HOTKEYF_ALT << 8;
    const struct {
        const char* why;
        WORD pressed, shown;
        std::wstring refusal;
    } cases[] = {{"a plain letter", 'A', ctrl | alt | 'A', L""},
                 {"select all", ctrl | 'A', ctrl | 'A', L"Ctrl+A 是各程序通用的快捷键，请换一个。"},
                 {"close a window", alt | VK_F4, alt | VK_F4, L"Alt+F4 是各程序通用的快捷键，请换一个。"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.why);
        COptionsDlg dlg(m_hotkey);
        SeenBox refused;
        CModalScript script;
        script.Then([&] { PostFocus(dlg.m_hWnd, IDC_HOTKEY); return IsUp(dlg.m_hWnd); })
              .Then([&] { return ::GetFocus() == ::GetDlgItem(dlg.m_hWnd, IDC_HOTKEY); }, 5000, "field focused")
              .Then([&] { testing_support::PressKeys(test.pressed); return true; })
              .Then([&] { return FieldHotkey(dlg.m_hWnd) == test.shown; }, 5000, "the key shown")
              .Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_OK); return true; });
        if (!test.refusal.empty()) {
            AnswerNextBox(script, IDOK, &refused);
            script.Then([&] { PostClick(dlg.m_hWnd, IDC_OPTIONS_CANCEL); return true; });
        }
        script.Start();
        EXPECT_EQ(dlg.DoModal(), test.refusal.empty() ? IDOK : IDCANCEL) << "a refusal leaves it open";
        ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
        EXPECT_EQ(refused.text, test.refusal);
        EXPECT_EQ(StoredHotkey(), test.refusal.empty() ? test.shown : kDefaultHotkey);
        m_hotkey = CGlobalHotkey(m_hotkeyWindow, 1, kDefaultHotkey);
        ASSERT_TRUE(SaveHotkeySetting(*g_core, kDefaultHotkey));
    }
}

TEST_F(OptionsDialog, TheHotkeySettingIsTheControlsValueMissingMeaningTheDefaultAndZeroNone)
{
    struct Stored {
        const wchar_t* text;
        WORD hotkey;
    };
    for (const Stored& stored : {Stored{L"704", kDefaultHotkey}, Stored{L"838", kCtrlShiftF}, Stored{L"0", 0},
                                 Stored{L"", 0}, Stored{L"Ctrl+F", kDefaultHotkey}, Stored{L"512", kDefaultHotkey},
                                 Stored{L"70000", kDefaultHotkey}, Stored{L"577", kDefaultHotkey}}) {
        ASSERT_TRUE(g_core->saveConfigS(kHotkeyKey, stored.text));
        EXPECT_EQ(StoredHotkey(), stored.hotkey) << testing_support::Utf8(stored.text);
    }
    testing_support::WriteFileBytes(SettingsPathOf(ProgramFilePath()).str(), "[Settings]\r\nisAutoMin=0\r\n");
    EXPECT_EQ(StoredHotkey(), kDefaultHotkey) << "never set";
}
