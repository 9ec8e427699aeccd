// CItemsDlg: the pins of its items, shown in a column of their own and set for the checked rows.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/pins.h"

#include <algorithm>

namespace {

constexpr wchar_t kPinsNotSaved[] =
    L"无法写入数据库，置顶未保存！数据库文件可能是只读的，或正被其他程序使用。";

}  // namespace

void CItemsDlg::LoadPins()
{
    m_pinned.clear();
    try {
        CDbConnection connection(g_connStr, CDbConnection::Access::ReadOnly);
        m_pinned = ReadPinnedIds(connection);
    } catch (const CDbError& error) {
        // The list shows its items all the same, without their marks.
        TraceDroppedError(error);
    }
}

bool CItemsDlg::IsRowPinned(int row) const
{
    return std::binary_search(m_pinned.begin(), m_pinned.end(), static_cast<long long>(m_rows.IdAt(row)));
}

void CItemsDlg::PinChecked(bool pinned)
{
    const std::vector<int> ids = m_rows.CheckedIds();
    if (ids.empty()) {
        g_core->msgboxWarning(m_hWnd, L"未选中任何项目。");
        return;
    }
    try {
        // The checked rows are listed newest first: the oldest is pinned first, the newest last.
        SetItemsPinned(g_connStr, std::vector<int>(ids.rbegin(), ids.rend()), pinned);
    } catch (const CDbError& error) {
        // One transaction, whatever the number of rows: none of them was.
        TraceDroppedError(error);
        g_core->msgboxWarning(m_hWnd, kPinsNotSaved);
        return;
    }
    m_isDataChanged = TRUE;
    LoadPins();
    m_list.Invalidate();
}

void CItemsDlg::OnPinChecked()
{
    PinChecked(true);
}

void CItemsDlg::OnUnpinChecked()
{
    PinChecked(false);
}
