// listInit on a real list-view control: columns, widths, check boxes, full-row selection.
#include "corelib/core.h"
#include "corelib/list_columns.h"
#include "framework/listctrl.h"
#include "tests/corelib/test_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ListSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 380,
                                       280, m_parent.Get(), nullptr, nullptr, nullptr);
        ASSERT_NE(hList, nullptr);
        m_list.Attach(hList);
    }
    void TearDown() override { ::DestroyWindow(m_list.Detach()); }

    int ColumnCount()
    {
        HWND header = reinterpret_cast<HWND>(m_list.SendMessage(LVM_GETHEADER));
        return static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    }
    std::wstring ColumnTitle(int column)
    {
        wchar_t title[64] = {};
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT;
        col.pszText = title;
        col.cchTextMax = ARRAYSIZE(title);
        m_list.SendMessage(LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
        return title;
    }

    CTestWindow m_parent{WS_OVERLAPPEDWINDOW | WS_VISIBLE};
    CListCtrl m_list;
    CCore m_core;
};

}  // namespace

TEST_F(ListSetupTest, ColumnsInOrderWithWidths)
{
    m_core.listInit(m_list, L"名称,120,说明,250", 1);
    ASSERT_EQ(ColumnCount(), 2);
    EXPECT_EQ(ColumnTitle(0), L"名称");
    EXPECT_EQ(ColumnTitle(1), L"说明");
    EXPECT_EQ(m_list.GetColumnWidth(0), 120);
    EXPECT_EQ(m_list.GetColumnWidth(1), 250);
    EXPECT_TRUE(m_list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
}

TEST_F(ListSetupTest, EveryRowGetsACheckBox)
{
    m_core.listInit(m_list, L"名称,120", 1);
    EXPECT_TRUE(m_list.GetExtendedStyle() & LVS_EX_CHECKBOXES);
    ASSERT_EQ(m_list.InsertItem(0, L"第一"), 0);
    ASSERT_EQ(m_list.InsertItem(1, L"第二"), 1);
    for (int row = 0; row < 2; ++row) {
        UINT state = static_cast<UINT>(m_list.SendMessage(LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
        EXPECT_EQ(state, INDEXTOSTATEIMAGEMASK(1)) << "row " << row << " shows an empty box";
    }
    ASSERT_TRUE(m_list.SetCheck(1, TRUE));
    EXPECT_FALSE(m_list.GetCheck(0));
    EXPECT_TRUE(m_list.GetCheck(1));
}

TEST_F(ListSetupTest, FlagZeroGivesNoCheckBoxes)
{
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    m_core.listInit(m_list, L"名称,120", 0);
    EXPECT_EQ(ColumnCount(), 1);
    EXPECT_FALSE(m_list.GetExtendedStyle() & LVS_EX_CHECKBOXES);
    EXPECT_TRUE(m_list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
}

TEST(ColumnSpec, MissingOrBadWidthsGetTheDefault)
{
    auto columns = ParseColumnSpec(L"a,120,b,x,c");
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].title, L"a");
    EXPECT_EQ(columns[0].width, 120);
    EXPECT_EQ(columns[1].title, L"b");
    EXPECT_EQ(columns[1].width, kDefaultColumnWidth);
    EXPECT_EQ(columns[2].title, L"c");
    EXPECT_EQ(columns[2].width, kDefaultColumnWidth);
    EXPECT_TRUE(ParseColumnSpec(L"").empty());
}
