// The about box: the descriptor decoded back into name and version, shown in a real box.
#include "corelib/about_box.h"
#include "corelib/core.h"
#include "tests/corelib/sample_soft.h"
#include "tests/corelib/test_window.h"
#include "tests/support/message_box.h"
#include "tests/support/modal_script.h"

#include <gtest/gtest.h>

#include <string>

using testing_support::AnswerBox;
using testing_support::CModalScript;
using testing_support::SeenBox;

TEST(AboutText, DecodesNameAndVersionFromTheDescriptor)
{
    auto soft = MakeSampleSoft();
    EXPECT_EQ(SoftProductName(soft.get()), L"Mirelo");
    EXPECT_EQ(SoftVersion(soft.get()), L"2.1028");
    EXPECT_EQ(AboutCaption(soft.get()), L"关于 Mirelo");
    EXPECT_EQ(AboutText(soft.get()), L"Mirelo\n版本：2.1028");
    // The name field holds code page 936 bytes on every system, an English Windows too.
    ASSERT_TRUE(SoftSetField(soft->productName, "D6D0CEC4001E"));
    EXPECT_EQ(AboutCaption(soft.get()), L"关于 中文");
}

TEST(AboutText, DamagedOrMissingDescriptorShowsUnknownInsteadOfReadingOn)
{
    auto soft = MakeSampleSoft();
    std::memset(soft->productName, 'F', sizeof(soft->productName));  // no terminator left
    std::memcpy(soft->version, "0032zz", 7);
    EXPECT_EQ(SoftProductName(soft.get()), L"");
    EXPECT_EQ(SoftVersion(soft.get()), L"");
    EXPECT_EQ(AboutText(soft.get()), L"未知\n版本：未知");
    EXPECT_EQ(AboutText(nullptr), L"未知\n版本：未知");
}

TEST(AboutBox, ShowsDecodedNameAndVersionOverTheActiveWindow)
{
    auto soft = MakeSampleSoft();
    CTestWindow owner(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ::SetForegroundWindow(owner.Get());
    ::SetActiveWindow(owner.Get());
    HWND active = ::GetActiveWindow();

    SeenBox box;
    CModalScript script;
    script.Then(AnswerBox(box), 5000, "about box shows");
    script.Start();
    CCore core;
    CString result = core.uu(OPR_ABOUT, soft.get(), L"");
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();

    EXPECT_EQ(result, L"");
    EXPECT_EQ(box.text, L"Mirelo\n版本：2.1028");
    EXPECT_EQ(box.caption, L"关于 Mirelo");
    EXPECT_EQ(box.owner, active);
}
