// CItemEditDlg: the texts it is given and hands back, and its refusal of an empty content.
#include "items/itemeditdlg.h"

#include "res/resource.h"
#include "tests/items/items_fixture.h"
#include "tests/support/modal_script.h"

#include <gtest/gtest.h>

using items_testing::AnswerBox;
using items_testing::SeenBox;
using testing_support::CModalScript;
using testing_support::IsUp;

namespace {

std::wstring BoxText(const CDialog& dlg, int id)
{
    CString text;
    dlg.GetDlgItemText(id, text);
    return text.str();
}

void Click(const CDialog& dlg, int id)
{
    ::PostMessageW(::GetDlgItem(dlg.m_hWnd, id), BM_CLICK, 0, 0);
}

class ItemEditDlgTest : public items_testing::ItemsTest {
protected:
    // Opens the dialog with the two texts, types the given texts into the boxes, presses OK.
    INT_PTR TypeAndConfirm(CItemEditDlg& dlg, const wchar_t* title, const wchar_t* data1)
    {
        CModalScript script;
        script.Then([&] { return IsUp(dlg); }).Then([&] {
            dlg.SetDlgItemText(IDC_EDIT_TITLE, title);
            dlg.SetDlgItemText(IDC_EDIT_DATA1, data1);
            Click(dlg, IDOK);
            return true;
        });
        script.Start();
        INT_PTR result = dlg.DoModal();
        EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
        return result;
    }
};

}  // namespace

TEST_F(ItemEditDlgTest, ShowsTheGivenTextsAndHandsBackWhatWasTypedWithOnlyTheContentRequired)
{
    CItemEditDlg dlg;
    dlg.m_title = L"标签 it's";
    dlg.m_data1 = L"  复制内容 😀𠮷\t";
    std::wstring shownTitle, shownData1, caption;
    int focusId = 0;
    CModalScript script;
    script.Then([&] { return IsUp(dlg) && ::GetForegroundWindow() == dlg.m_hWnd; }).Then([&] {
        shownTitle = BoxText(dlg, IDC_EDIT_TITLE);
        shownData1 = BoxText(dlg, IDC_EDIT_DATA1);
        CString text;
        dlg.GetWindowText(text);
        caption = text.str();
        focusId = ::GetDlgCtrlID(::GetFocus());
        Click(dlg, IDOK);
        return true;
    });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_EQ(caption, L"数据项编辑");
    EXPECT_EQ(shownTitle, L"标签 it's");
    EXPECT_EQ(shownData1, L"  复制内容 😀𠮷\t") << "characters beyond the basic plane shown whole";
    EXPECT_EQ(focusId, IDC_EDIT_TITLE) << "the label box has the focus first";
    EXPECT_EQ(dlg.m_title.str(), L"标签 it's") << "OK without a change hands the same texts back";
    EXPECT_EQ(dlg.m_data1.str(), L"  复制内容 😀𠮷\t");

    EXPECT_EQ(TypeAndConfirm(dlg, L"新标签", L"新内容"), IDOK);
    EXPECT_EQ(dlg.m_title.str(), L"新标签");
    EXPECT_EQ(dlg.m_data1.str(), L"新内容");
    EXPECT_EQ(TypeAndConfirm(dlg, L"", L" "), IDOK) << "no label, and a single blank is a content";
    EXPECT_EQ(dlg.m_title.str(), L"");
    EXPECT_EQ(dlg.m_data1.str(), L" ");
}

TEST_F(ItemEditDlgTest, EmptyContentIsRefusedWithTheFocusBackInTheContentBox)
{
    CItemEditDlg dlg;
    dlg.m_title = L"label";
    dlg.m_data1 = L"content";
    SeenBox box;
    bool openAfterBox = false;
    int focusAfterBox = 0;
    HWND dlgWnd = nullptr;
    CModalScript script;
    script.Then([&] { return IsUp(dlg); })
        .Then([&] {
            dlgWnd = dlg.m_hWnd;
            dlg.SetDlgItemText(IDC_EDIT_DATA1, L"");
            ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_TITLE));
            Click(dlg, IDOK);
            return true;
        })
        .Then(AnswerBox(box))
        .Then([&] { return !items_testing::FindSystemDialog() && ::GetForegroundWindow() == dlg.m_hWnd; })
        .Then([&] {
            openAfterBox = IsUp(dlg);
            focusAfterBox = ::GetDlgCtrlID(::GetFocus());
            dlg.SetDlgItemText(IDC_EDIT_DATA1, L"filled");
            Click(dlg, IDOK);
            return true;
        });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_TRUE(box.seen);
    EXPECT_EQ(box.text, L"复制内容不能为空！");
    EXPECT_EQ(box.owner, dlgWnd);
    EXPECT_TRUE(openAfterBox);
    EXPECT_EQ(focusAfterBox, IDC_EDIT_DATA1);
    EXPECT_EQ(dlg.m_data1.str(), L"filled");
}

TEST_F(ItemEditDlgTest, CancelEscapeAndCloseBoxReturnCancelWithoutReadingTheBoxes)
{
    const std::vector<std::function<void(CItemEditDlg&)>> ways = {
        [](CItemEditDlg& dlg) { Click(dlg, IDCANCEL); },
        [](CItemEditDlg& dlg) {
            ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
            (void)dlg;
        },
        [](CItemEditDlg& dlg) { ::PostMessageW(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (size_t way = 0; way < ways.size(); ++way) {
        CItemEditDlg dlg;
        dlg.m_title = L"title";
        dlg.m_data1 = L"data";
        CModalScript script;
        script.Then([&] { return IsUp(dlg) && ::GetForegroundWindow() == dlg.m_hWnd; }).Then([&] {
            dlg.SetDlgItemText(IDC_EDIT_TITLE, L"typed");
            dlg.SetDlgItemText(IDC_EDIT_DATA1, L"");
            ways[way](dlg);
            return true;
        });
        script.Start();
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "way " << way;
        EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
        EXPECT_EQ(dlg.m_title.str(), L"title");
        EXPECT_EQ(dlg.m_data1.str(), L"data");
        EXPECT_EQ(items_testing::FindSystemDialog(), nullptr) << "no warning on cancel";
    }
}
