// CProbedMainDlg: records what the main window asks of the hot list.
#include "tests/mainwnd/probed_maindlg.h"

#include <algorithm>

namespace testing_support {

bool CProbedMainDlg::Copied(int id) const
{
    return std::find(m_copiedIds.begin(), m_copiedIds.end(), id) != m_copiedIds.end();
}

BOOL CProbedMainDlg::OnInitDialog()
{
    BOOL result = CMainDlg::OnInitDialog();
    m_loadsDuringInit = m_loadCount;
    return result;
}

void CProbedMainDlg::LoadHotList(CHotListBox& list)
{
    ++m_loadCount;
    m_loadedList = list.m_hWnd;
    CMainDlg::LoadHotList(list);
}

void CProbedMainDlg::OnHotListLoaded(RowQueryEnd end)
{
    CMainDlg::OnHotListLoaded(end);
    ++m_loadsEnded;
}

void CProbedMainDlg::CopyItem(int id)
{
    m_copiedIds.push_back(id);
}

}  // namespace testing_support
