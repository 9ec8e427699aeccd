// CItemsDlg: the list while another program holds the database's lock: said, and read again on a
// timer once the lock is gone, with short waits so that the dialog keeps answering.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "res/resource.h"
#include "store/connstr.h"

void CItemsDlg::ShowListBusy()
{
    if (m_listBusyShown)
        return;
    m_listBusyShown = true;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ITEMS_TIP), SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ITEMS_BUSY), SW_SHOWNA);
    SetTimer(kListRetryTimer, kListRetryDelayMs);
}

void CItemsDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kListRetryTimer || !RetryList())
        return;
    KillTimer(kListRetryTimer);
    m_listBusyShown = false;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ITEMS_BUSY), SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ITEMS_TIP), SW_SHOWNA);
}

bool CItemsDlg::RetryList()
{
    if (m_loadPending) {
        const RowQueryEnd loaded = m_rows.Load(WithBusyTimeout(g_connStr, kListWaitMs));
        if (loaded == RowQueryEnd::Busy)
            return false;
        m_loadPending = false;
        ShowRowCount();
        if (loaded == RowQueryEnd::Failed)
            OnItemsUnreadable(0, 0);
        return true;
    }
    // The rows on screen are read now; the rest as they come into view.
    m_rows.RetryTexts();
    const int top = static_cast<int>(m_list.SendMessage(LVM_GETTOPINDEX));
    m_rows.Prefetch(top, top + static_cast<int>(m_list.SendMessage(LVM_GETCOUNTPERPAGE)));
    if (m_rows.TextsBusy())
        return false;
    m_list.Invalidate();
    return true;
}
