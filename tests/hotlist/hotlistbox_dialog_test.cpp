// CHotListBox as the main window's list: control 1002 of dialog 102, clicked inside the dialog's modal loop.
#include "hotlist/hotlistbox.h"
#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"
#include "res/resource.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/hotlist/test_host.h"
#include "tests/support/modal_script.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Stands in for the main window: it takes the forwarded clicks in its pre-translation.
class CRowListDlg : public CDialog {
public:
    CRowListDlg() : CDialog(IDD_MAIN) {}

    CHotListBox m_list;
    std::vector<MSG> m_itemClicks;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_HOTLIST, m_list);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_list.SetNotifyWnd(m_hWnd);
        m_list.RemoveAllRows();
        m_list.AddRow(L"第一条", 11);
        m_list.AddRow(L"第二条", 22);
        m_list.AddRow(L"第三条", 33);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_ITEMCLICK && pMsg->hwnd == m_hWnd) {
            m_itemClicks.push_back(*pMsg);
            return TRUE;
        }
        return CDialog::PreTranslateMessage(pMsg);
    }
};

CHyperLink* RowOf(const CHotListBox& list, int index)
{
    return list.RowWindow(index);
}

TEST(HotListBoxInDialog, AClickOnARowReachesTheDialogOnceThroughItsModalLoop)
{
    ParkMouse();
    CRowListDlg dlg;
    testing_support::CModalScript script;
    size_t clicksAtEnd = 0;
    script
        .Then([&] {
            return dlg.m_hWnd && dlg.m_list.GetCount() == 3 && RowOf(dlg.m_list, 1) &&
                   RowOf(dlg.m_list, 1)->IsWindowVisible();
        }, 5000, "rows shown")
        .Then([&] {
            CRect row;
            RowOf(dlg.m_list, 1)->GetWindowRect(&row);
            return ClickAt(row.left + 4, row.top + 8);
        }, 5000, "click")
        .Then([&] { return !dlg.m_itemClicks.empty(); }, 3000, "click reported")
        .Then([&] {
            // A second report would have come with the first.
            clicksAtEnd = dlg.m_itemClicks.size();
            dlg.EndDialog(IDOK);
            return true;
        });
    script.Start();
    dlg.DoModal();
    ParkMouse();

    EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
    ASSERT_EQ(clicksAtEnd, 1u);
    EXPECT_EQ(dlg.m_itemClicks[0].wParam, 0u);
    EXPECT_EQ(dlg.m_itemClicks[0].lParam, 22);
}

}  // namespace
