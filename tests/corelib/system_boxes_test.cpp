// The message boxes and the text-file chooser, opened for real and answered from a script.
#include "corelib/core.h"
#include "tests/corelib/test_window.h"
#include "tests/support/message_box.h"
#include "tests/support/modal_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::AnswerBox;
using testing_support::CModalScript;
using testing_support::FindSystemDialog;
using testing_support::SeenBox;

TEST(MessageBoxes, WarningShowsTextUnderTheProductNameOverItsOwner)
{
    CTestWindow owner(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SeenBox seen;
    CModalScript script;
    script.Then(AnswerBox(seen, IDOK), 5000, "message box shows");
    script.Start();
    CCore core;
    core.msgboxWarning(owner.Get(), L"未选中任何项目。");
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_EQ(seen.text, L"未选中任何项目。");
    EXPECT_EQ(seen.caption, L"Mirelo");
    EXPECT_EQ(seen.owner, owner.Get());
}

TEST(MessageBoxes, ConfirmReturnsSixForYesAndSevenForNo)
{
    CTestWindow owner(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    CCore core;
    for (int answer : {IDYES, IDNO}) {
        SeenBox seen;
        CModalScript script;
        script.Then(AnswerBox(seen, answer), 5000, "message box shows");
        script.Start();
        int result = core.msgboxConfirm(owner.Get(), L"确定要清理历史吗？");
        ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
        EXPECT_EQ(result, answer);
        EXPECT_EQ(seen.text, L"确定要清理历史吗？");
        EXPECT_EQ(seen.caption, L"Mirelo");
        EXPECT_EQ(seen.owner, owner.Get());
    }
}

TEST(FileChooser, OffersTextFilesAndGivesEmptyTextWhenCancelled)
{
    std::vector<std::wstring> types;
    CModalScript script;
    script.Then(
        [&] {
            HWND chooser = FindSystemDialog();
            if (!chooser)
                return false;
            HWND typeList = ::GetDlgItem(chooser, 0x470);  // the file type box (cmb1)
            int count = typeList ? static_cast<int>(::SendMessageW(typeList, CB_GETCOUNT, 0, 0)) : 0;
            for (int i = 0; i < count; ++i) {
                wchar_t type[128] = {};
                ::SendMessageW(typeList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(type));
                types.push_back(type);
            }
            ::PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(chooser, IDCANCEL)));
            return true;
        },
        10000, "file chooser shows");
    script.Start();
    CCore core;
    wchar_t before[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    CString path = core.fileTxtOpen();
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_EQ(path, L"");
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0], L"文本文件 (*.txt;*.csv)") << "the items file is text too";
    EXPECT_EQ(types[1], L"所有文件 (*.*)");
    wchar_t after[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(after, before);
}
