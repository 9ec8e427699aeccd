// CItemsDlg: loading the list, the row edit, the check menu, deleting, a new item and importing.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "corelib/clipboard_text.h"
#include "corelib/core.h"
#include "framework/redrawpause.h"
#include "items/itemeditdlg.h"
#include "res/resource.h"
#include "store/batch.h"
#include "store/dbsession.h"
#include "store/itemid.h"
#include "store/rowquery.h"
#include "store/statements.h"

#include <optional>
#include <windowsx.h>

namespace {

// Posted by the initialisation when the items could not be read, so that the warning comes up
// over the dialog once it shows.
constexpr UINT WM_ITEMS_UNREADABLE = WM_APP + 1;

constexpr wchar_t kItemsUnreadable[] = L"无法读取数据项！数据库文件可能已被删除、移走或已损坏，列表不完整。";
constexpr wchar_t kEditNotSaved[] =
    L"无法写入数据库，修改未保存！数据库文件可能是只读的，或正被其他程序使用。";
constexpr wchar_t kEditedItemGone[] = L"该项目已被删除，修改未保存！";
constexpr wchar_t kDeleteNotDone[] =
    L"无法写入数据库，未删除任何项目！数据库文件可能是只读的，或正被其他程序使用。";
constexpr wchar_t kNewItemNotSaved[] =
    L"无法写入数据库，新项目未保存！数据库文件可能是只读的，或正被其他程序使用。";

// Runs one insert over a connection of its own, as the import does: the id of the new row, or
// nothing when the row is not in the table.
std::optional<long long> InsertRow(const CString& statement)
{
    CStatementBatch batch(g_connStr);
    long long newId = 0;
    if (batch.Run(statement, &newId) != CStatementBatch::Outcome::Ran || !batch.Finish())
        return std::nullopt;
    return newId;
}

}  // namespace

BEGIN_MESSAGE_MAP(CItemsDlg, CDialog)
ON_NOTIFY(NM_DBLCLK, IDC_ITEMLIST, &CItemsDlg::OnDblclkList)
ON_NOTIFY(NM_RCLICK, IDC_ITEMLIST, &CItemsDlg::OnRclickList)
ON_COMMAND(ID_LIST_SELECTALL, &CItemsDlg::OnSelectAll)
ON_COMMAND(ID_LIST_SELECTNONE, &CItemsDlg::OnSelectNone)
ON_BN_CLICKED(IDC_DELETECHECKED, &CItemsDlg::OnDeleteChecked)
ON_BN_CLICKED(IDC_NEWITEM, &CItemsDlg::OnNewItem)
ON_BN_CLICKED(IDC_IMPORT, &CItemsDlg::OnImport)
ON_MESSAGE(WM_ITEMS_UNREADABLE, &CItemsDlg::OnItemsUnreadable)
END_MESSAGE_MAP()

CItemsDlg::CItemsDlg() : CDialog(IDD_ITEMS)
{
}

CItemsDlg::~CItemsDlg() = default;

void CItemsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_ITEMLIST, m_list);
}

BOOL CItemsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_isDataChanged = FALSE;
    g_core->listInit(m_list, L"标签,300,内容,400", 1);
    // An empty list would look as if every item had been deleted: say that they could not be read.
    if (!LoadItems())
        PostMessage(WM_ITEMS_UNREADABLE);
    return TRUE;
}

bool CItemsDlg::LoadItems()
{
    CRedrawPause pause(m_list);
    int row = 0;
    return RunRowQuery(g_connStr, StmtSelectNewestFirst(), [&](const CDbRow& record) {
        // A row whose id does not fit in 32 bits is not listed: an edit or delete of it could
        // only carry a cut id, which names another item.
        std::optional<int> id = ItemIdFromValue(record.Value(0));
        if (!id)
            return;
        CString title = g_db->ValueToText(record.Value(1));
        CString data1 = g_db->ValueToText(record.Value(2));
        m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, row, title, 0, 0, 0, static_cast<LPARAM>(*id));
        m_contents.Show(row, *id, data1);
        ++row;
    });
}

LRESULT CItemsDlg::OnItemsUnreadable(WPARAM, LPARAM)
{
    g_core->msgboxWarning(m_hWnd, kItemsUnreadable);
    return 0;
}

CString CItemsDlg::ChooseImportFile()
{
    return g_core->fileTxtOpen();
}

void CItemsDlg::OnDblclkList(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    int row = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
    if (row < 0)
        return;
    m_editId = static_cast<int>(m_list.GetItemData(row));
    CItemEditDlg edit;
    // The texts as the list shows them: the table is not read again.
    const CString shownTitle = m_list.GetItemText(row, 0);
    const CString shownData1 = m_contents.Content(row);
    edit.m_title = shownTitle;
    edit.m_data1 = shownData1;
    if (edit.DoModal() != IDOK)
        return;
    // Only a field the user changed is written: OK without a change writes nothing.
    const bool titleChanged = edit.m_title != shownTitle;
    const bool data1Changed = edit.m_data1 != shownData1;
    if (!titleChanged && !data1Changed)
        return;
    CString statement = !data1Changed   ? StmtUpdateTitle(edit.m_title, m_editId)
                        : !titleChanged ? StmtUpdateData1(edit.m_data1, m_editId)
                                        : StmtUpdateItem(edit.m_title, edit.m_data1, m_editId);
    // The list shows what the table holds: it changes only once the table has.
    const std::optional<int> changed = g_db->ExecuteChangingRows(statement);
    if (!changed) {
        g_core->msgboxWarning(m_hWnd, kEditNotSaved);
        return;
    }
    if (*changed == 0) {
        // Another program deleted the item while it was being edited: the edit went nowhere.
        g_core->msgboxWarning(m_hWnd, kEditedItemGone);
        m_contents.Forget(m_editId);
        m_list.DeleteItem(row);
        return;
    }
    m_list.SetItemText(row, 0, edit.m_title);
    m_contents.Show(row, m_editId, edit.m_data1);
    m_isDataChanged = TRUE;
}

void CItemsDlg::OnRclickList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    DWORD position = ::GetMessagePos();
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU))
        return;
    CMenuHandle popup = menu.GetSubMenu(1);
    if (popup)
        popup.TrackPopupMenu(TPM_RIGHTBUTTON, GET_X_LPARAM(position), GET_Y_LPARAM(position), this);
    menu.DestroyMenu();
}

void CItemsDlg::OnSelectAll()
{
    listCheckAll(m_list, 1);
}

void CItemsDlg::OnSelectNone()
{
    listCheckAll(m_list, 0);
}

void CItemsDlg::OnDeleteChecked()
{
    CString ids = listGetCheckedIds(m_list);
    if (ids.IsEmpty()) {
        g_core->msgboxWarning(m_hWnd, L"未选中任何项目。");
        return;
    }
    // Rows another program deleted meanwhile are gone as asked: only a failure to run is said.
    if (!g_db->Execute(StmtDeleteItems(ids))) {
        g_core->msgboxWarning(m_hWnd, kDeleteNotDone);
        return;
    }
    m_isDataChanged = TRUE;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (m_list.GetCheck(row))
            m_contents.Forget(static_cast<int>(m_list.GetItemData(row)));
    }
    listDeleteChecked(m_list);
}

void CItemsDlg::OnNewItem()
{
    CItemEditDlg edit;
    // What was copied last is the likeliest new item: proposed, and replaced by typing.
    edit.m_data1 = TextOnClipboard(m_hWnd);
    edit.m_bSelectData1 = TRUE;
    if (edit.DoModal() != IDOK)
        return;
    std::optional<long long> newId = InsertRow(StmtInsertItem(edit.m_title, edit.m_data1));
    if (!newId) {
        g_core->msgboxWarning(m_hWnd, kNewItemNotSaved);
        return;
    }
    m_isDataChanged = TRUE;
    // The newest item heads the list. One whose id does not fit in 32 bits is stored but not
    // listed, as after an import.
    std::optional<int> id = ItemIdFromRowid(*newId);
    if (!id)
        return;
    m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, edit.m_title, 0, 0, 0, static_cast<LPARAM>(*id));
    m_contents.Show(0, *id, edit.m_data1);
    m_list.SendMessage(LVM_ENSUREVISIBLE, 0, FALSE);
}

void CItemsDlg::OnImport()
{
    CString path = ChooseImportFile();
    if (path.IsEmpty())
        return;
    CItemImporter importer(m_list, m_contents, g_connStr);
    m_lastImport = importer.Run(path);
    // Only lines that reached the table are a change worth a restart.
    if (m_lastImport.importedLines > 0)
        m_isDataChanged = TRUE;
    ReportImportProblem(m_lastImport);
}

void CItemsDlg::ReportImportProblem(const CImportReport& report)
{
    CString text;
    switch (report.outcome) {
    case CImportReport::Outcome::Done:
        return;
    case CImportReport::Outcome::CannotOpen:
        text = L"无法读取所选文件，未导入任何内容。";
        break;
    case CImportReport::Outcome::NotText:
        text = L"所选文件不是文本文件，未导入任何内容。";
        break;
    case CImportReport::Outcome::StoppedByStore:
        text.Format(L"写入数据库失败，导入已停止：已导入 %d 行。", report.importedLines);
        break;
    }
    g_core->msgboxWarning(m_hWnd, text);
}

void CItemsDlg::listCheckAll(CListCtrl& list, int on)
{
    int count = list.GetItemCount();
    for (int row = 0; row < count; ++row)
        list.SetCheck(row, on ? TRUE : FALSE);
}

void CItemsDlg::listDeleteChecked(CListCtrl& list)
{
    // Upwards, so the rows still to be visited keep their indexes.
    for (int row = list.GetItemCount() - 1; row >= 0; --row) {
        if (list.GetCheck(row))
            list.DeleteItem(row);
    }
}

CString CItemsDlg::listGetCheckedIds(CListCtrl& list)
{
    CString ids;
    int count = list.GetItemCount();
    if (count == 0)
        return ids;
    for (int row = 0; row < count; ++row) {
        if (list.GetCheck(row)) {
            ids += g_core->getStrInt(static_cast<int>(list.GetItemData(row)));
            ids += L",";
        }
    }
    g_core->trimStrTail(ids);
    return ids;
}
