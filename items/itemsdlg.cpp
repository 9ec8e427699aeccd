// CItemsDlg: the list's rows, the row edit, the check menu, deleting, a new item and importing.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "base/first_line.h"
#include "base/text_walk.h"
#include "corelib/clipboard_text.h"
#include "corelib/core.h"
#include "corelib/file_chooser.h"
#include "corelib/list_columns.h"
#include "framework/dialog_layout.h"
#include "framework/dpi.h"
#include "framework/exception_report.h"
#include "items/importprogressdlg.h"
#include "items/itemeditdlg.h"
#include "items/oneitem.h"
#include "res/resource.h"
#include "store/batch.h"
#include "store/connstr.h"
#include "store/dberror.h"
#include "store/dbsession.h"
#include "store/itemid.h"
#include "store/statements.h"
#include "store/teamstore.h"

#include <optional>
#include <windowsx.h>

namespace {

// Posted when the items could not all be read, so that the warning comes up over the dialog
// once it shows (and not from inside a paint).
constexpr UINT WM_ITEMS_UNREADABLE = WM_APP + 1;

constexpr wchar_t kItemsUnreadable[] = L"无法读取数据项！数据库文件可能已被删除、移走或已损坏，列表不完整。";
constexpr wchar_t kDeleteNotDone[] =
    L"无法写入数据库，未删除任何项目！数据库文件可能是只读的，或正被其他程序使用。";
constexpr wchar_t kNewItemNotSaved[] =
    L"无法写入数据库，新项目未保存！数据库文件可能是只读的，或正被其他程序使用。";

constexpr wchar_t kImportSummary[] = L"已导入 %d 项。";
constexpr wchar_t kClipboardTooLong[] = L"剪贴板上的文字太长，未自动填入，可自行粘贴。";
constexpr wchar_t kItemsFileSummary[] = L"已导入 %d 项，跳过重复的 %d 项。";
constexpr wchar_t kNothingToImport[] = L"文件中没有可导入的内容。";
constexpr wchar_t kExportSummary[] = L"已导出 %d 项。";
constexpr wchar_t kItemsFileFault[] = L"第 %d 行的记录有误（%ls），这一行和其后的记录没有导入。";
constexpr wchar_t kExportFailed[] = L"导出失败，未写入文件！";

// The arrow turns to the hourglass while the window's thread is busy with a task of its own.
class CWaitCursor {
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

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

// Why the table refused an import, in the user's words.
CString ImportFailureReason(int code)
{
    switch (KindOfFailure(code)) {
    case DbFailureKind::DiskFull:
        return L"磁盘空间不足。";
    case DbFailureKind::NotWritable:
        return L"数据库文件可能是只读的，或正被其他程序使用。";
    case DbFailureKind::Other:
        break;
    }
    return L"数据库文件可能已损坏。";
}

// Why an export could not be written, in the user's words.
CString ExportFailureReason(const CExportReport& report)
{
    if (report.outcome == CExportReport::Outcome::CannotRead)
        return L"无法读取数据项，数据库文件可能已被删除、移走或已损坏。";
    switch (report.writeError) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return L"磁盘空间不足。";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return L"文件正被其他程序使用（例如已在 Excel 中打开），请关闭后再试。";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return L"文件或文件夹是只读的，或文件正被其他程序使用（例如已在 Excel 中打开）。";
    default:
        return L"无法写入所选的位置。";
    }
}

// Copies text into a buffer the list gave, cut short if it must be, but never inside a
// surrogate pair.
void CopyToListBuffer(const CString& text, LPWSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    int length = 0;
    while (length < text.GetLength()) {
        int next = length + CharLengthAt(text, length);
        if (next > size - 1)
            break;
        length = next;
    }
    wmemcpy(buffer, text.GetString(), static_cast<size_t>(length));
    buffer[length] = L'\0';
}

}  // namespace

BEGIN_MESSAGE_MAP(CItemsDlg, CDialog)
ON_NOTIFY(LVN_GETDISPINFOW, IDC_ITEMLIST, &CItemsDlg::OnGetDispInfo)
ON_NOTIFY(LVN_ODCACHEHINT, IDC_ITEMLIST, &CItemsDlg::OnCacheHint)
ON_NOTIFY(LVN_ODFINDITEMW, IDC_ITEMLIST, &CItemsDlg::OnFindItem)
ON_NOTIFY(NM_CLICK, IDC_ITEMLIST, &CItemsDlg::OnClickList)
ON_NOTIFY(LVN_KEYDOWN, IDC_ITEMLIST, &CItemsDlg::OnKeyDownList)
ON_NOTIFY(NM_DBLCLK, IDC_ITEMLIST, &CItemsDlg::OnDblclkList)
ON_NOTIFY(NM_RCLICK, IDC_ITEMLIST, &CItemsDlg::OnRclickList)
ON_COMMAND(ID_LIST_SELECTALL, &CItemsDlg::OnSelectAll)
ON_COMMAND(ID_LIST_SELECTNONE, &CItemsDlg::OnSelectNone)
ON_COMMAND(ID_LIST_PIN, &CItemsDlg::OnPinChecked)
ON_COMMAND(ID_LIST_UNPIN, &CItemsDlg::OnUnpinChecked)
ON_BN_CLICKED(IDC_DELETECHECKED, &CItemsDlg::OnDeleteChecked)
ON_BN_CLICKED(IDC_NEWITEM, &CItemsDlg::OnNewItem)
ON_BN_CLICKED(IDC_IMPORT, &CItemsDlg::OnImport)
ON_BN_CLICKED(IDC_EXPORT, &CItemsDlg::OnExport)
ON_MESSAGE(WM_ITEMS_UNREADABLE, &CItemsDlg::OnItemsUnreadable)
ON_MESSAGE(WM_DPICHANGED, &CItemsDlg::OnDpiChanged)
ON_BN_CLICKED(IDC_UNDO, &CItemsDlg::OnUndoDelete)
ON_WM_TIMER()
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
    // On a small screen (or a large scale) the list gives up room, and the buttons stay on screen.
    FitDialogToWorkArea(m_hWnd, IDD_ITEMS,
                        {{IDC_ITEMLIST, CDialogLayout::StretchRight | CDialogLayout::StretchDown},
                         {IDC_NEWITEM, CDialogLayout::MoveRight},
                         {IDC_IMPORT, CDialogLayout::MoveRight},
                         {IDC_EXPORT, CDialogLayout::MoveRight},
                         {IDC_DELETECHECKED, CDialogLayout::MoveRight},
                         {IDC_UNDO, CDialogLayout::MoveRight},
                         {IDC_UNDO_TEXT, CDialogLayout::MoveRight}});
    g_core->listInit(m_list, L"标签,300,内容,400,置顶,40", 1);
    m_dpi = WindowDpi(m_list.m_hWnd);
    LoadPins();
    // The check boxes are this dialog's to keep: the list asks for them row by row.
    m_list.SendMessage(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK);
    // An empty list would look as if every item had been deleted: say that they could not be read,
    // or that they come once another program lets go of the file.
    const RowQueryEnd loaded = m_rows.Load(WithBusyTimeout(g_connStr, kListWaitMs));
    if (loaded == RowQueryEnd::Failed)
        PostMessage(WM_ITEMS_UNREADABLE);
    m_loadPending = loaded == RowQueryEnd::Busy;
    if (m_loadPending)
        ShowListBusy();
    ShowRowCount();
    return TRUE;
}

LRESULT CItemsDlg::OnDpiChanged(WPARAM wParam, LPARAM)
{
    // The dialog takes the rectangle the system suggests for the new screen.
    const LRESULT result = Default();
    const UINT dpi = HIWORD(wParam);
    RescaleReportListColumns(m_list.m_hWnd, m_dpi, dpi);
    m_dpi = dpi;
    return result;
}

void CItemsDlg::ShowRowCount()
{
    m_list.SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(m_rows.Count()), LVSICF_NOSCROLL);
    m_list.Invalidate();
}

LRESULT CItemsDlg::OnItemsUnreadable(WPARAM, LPARAM)
{
    m_unreadableSaid = true;
    g_core->msgboxWarning(m_hWnd, kItemsUnreadable);
    return 0;
}

void CItemsDlg::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item;
    if (item.iItem < 0 || item.iItem >= m_rows.Count())
        return;
    if (item.mask & LVIF_STATE) {
        item.state = INDEXTOSTATEIMAGEMASK(m_rows.IsChecked(item.iItem) ? 2 : 1);
        item.stateMask = LVIS_STATEIMAGEMASK;
    }
    if (item.mask & LVIF_TEXT) {
        const CItemRows::Texts& texts = m_rows.TextsAt(item.iItem);
        // A content of several lines shows its first; the edit gets the whole.
        // A team item's label tells whose it is.
        const CString title = IsTeamListId(m_rows.IdAt(item.iItem)) ? L"[团队] " + texts.title : texts.title;
        CopyToListBuffer(item.iSubItem == 0        ? title
                         : item.iSubItem == 1      ? FirstLineShown(texts.data1)
                         : IsRowPinned(item.iItem) ? CString(L"●")
                                                   : CString(),
                         item.pszText, item.cchTextMax);
        if (m_rows.TextsBusy())
            ShowListBusy();
        if (!m_rows.TextsReadable() && !m_unreadableSaid) {
            m_unreadableSaid = true;
            PostMessage(WM_ITEMS_UNREADABLE);
        }
    }
}

void CItemsDlg::OnCacheHint(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLVCACHEHINT* hint = reinterpret_cast<NMLVCACHEHINT*>(pNMHDR);
    m_rows.Prefetch(hint->iFrom, hint->iTo);
    if (m_rows.TextsBusy())
        ShowListBusy();
}

void CItemsDlg::OnFindItem(NMHDR*, LRESULT* pResult)
{
    // Typing in the list finds nothing: the labels are not all in memory to search, and a row
    // the list jumped to by default (the first) would be no answer either.
    *pResult = -1;
}

void CItemsDlg::ToggleCheck(int row)
{
    if (row < 0 || row >= m_rows.Count())
        return;
    m_rows.SetChecked(row, !m_rows.IsChecked(row));
    m_list.SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

void CItemsDlg::OnClickList(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    LVHITTESTINFO hit = {};
    hit.pt = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->ptAction;
    int row = static_cast<int>(m_list.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON))
        ToggleCheck(row);
}

void CItemsDlg::OnKeyDownList(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey != VK_SPACE)
        return;
    ToggleCheck(static_cast<int>(m_list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
}

CString CItemsDlg::ChooseImportFile()
{
    return g_core->fileTxtOpen();
}

CString CItemsDlg::ChooseExportFile(const CString& defaultName)
{
    return ChooseCsvSaveFile(m_hWnd, defaultName);
}

void CItemsDlg::RemoveRow(int row)
{
    m_rows.RemoveRow(row);
    ShowRowCount();
}

void CItemsDlg::OnDblclkList(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    int row = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
    if (row < 0 || row >= m_rows.Count())
        return;
    if (RefuseTeamChange({row}))
        return;
    m_editId = m_rows.IdAt(row);
    // The texts as the list shows them: the table is not read again.
    const CItemRows::Texts shown = m_rows.TextsAt(row);
    if (!m_rows.TextsKnown(row)) {
        // Not read yet, for another program's lock: an edit of blanks would overwrite the item.
        ::MessageBeep(MB_OK);
        return;
    }
    CString title = shown.title;
    CString data1 = shown.data1;
    const EditOutcome outcome = EditItem(m_hWnd, m_editId, title, data1);
    if (outcome == EditOutcome::Unchanged)
        return;
    if (outcome == EditOutcome::ItemGone) {
        // Another program deleted the item while it was being edited: the edit went nowhere.
        RemoveRow(row);
        return;
    }
    m_rows.Remember(m_editId, {title, data1});
    m_list.SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
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
    std::vector<int> checkedRows;
    for (int row = 0; row < m_rows.Count(); ++row) {
        if (m_rows.IsChecked(row))
            checkedRows.push_back(row);
    }
    if (RefuseTeamChange(checkedRows))
        return;
    // One transaction, whatever the number of rows, which keeps what it deleted for the undo. Rows
    // another program deleted meanwhile are gone as asked: only a failure to run is said.
    if (!m_undo.Delete(g_connStr, m_rows.CheckedPlaces())) {
        g_core->msgboxWarning(m_hWnd, kDeleteNotDone);
        return;
    }
    m_isDataChanged = TRUE;
    listDeleteChecked(m_list);
    ShowUndoOffer();
}

void CItemsDlg::OnNewItem()
{
    CItemEditDlg edit;
    // What was copied last is the likeliest new item: proposed, and replaced by typing. A text the
    // box cannot lay out at once is not (the program would stand still meanwhile), and is said.
    const std::optional<CString> copied = TextOnClipboardUpTo(m_hWnd, CItemEditDlg::kMaxContentAtOnce);
    if (copied && CItemEditDlg::LaysOutAtOnce(*copied))
        edit.m_data1 = *copied;
    else
        edit.m_note = kClipboardTooLong;
    edit.m_bSelectData1 = TRUE;
    std::optional<long long> newId;
    // Saved while the edit is up: when the table refuses, the warning comes over the edit, which
    // keeps what was typed.
    edit.m_fnSave = [&](CItemEditDlg& dlg) {
        newId = InsertRow(StmtInsertItem(dlg.m_title, dlg.m_data1));
        if (!newId)
            g_core->msgboxWarning(dlg.m_hWnd, kNewItemNotSaved);
        return newId.has_value();
    };
    if (edit.DoModal() != IDOK)
        return;
    m_isDataChanged = TRUE;
    // The newest item heads the list. One whose id does not fit in 32 bits is stored but not
    // listed, as after an import.
    std::optional<int> id = ItemIdFromRowid(*newId);
    if (!id)
        return;
    m_rows.AddFirst(*id, {edit.m_title, edit.m_data1});
    ShowRowCount();
    m_list.SendMessage(LVM_ENSUREVISIBLE, 0, FALSE);
}

void CItemsDlg::OnImport()
{
    CString path = ChooseImportFile();
    if (path.IsEmpty())
        return;
    m_lastImport = RunImport(this, g_connStr, path);
    // Only lines that reached the table are a change the main list must show; the file's pins, of
    // new items and of items it repeats, show in their column.
    if (m_lastImport.importedLines > 0 || m_lastImport.pinsChanged) {
        m_isDataChanged = TRUE;
        LoadPins();
        m_rows.AddLast(m_lastImport.newIds);
        ShowRowCount();
    }
    ReportImport(m_lastImport);
}

void CItemsDlg::OnExport()
{
    CString path = ChooseExportFile(L"Mirelo-items-" + g_core->getTimeNowStr(L"yyyyMMdd") + L".csv");
    if (path.IsEmpty())
        return;
    {
        CWaitCursor busy;
        m_lastExport = ExportItems(g_connStr, m_rows.Ids(), path);
    }
    // The table is only read: nothing for the main list to show, whatever happened.
    CString text;
    if (m_lastExport.outcome == CExportReport::Outcome::Done)
        text.Format(kExportSummary, m_lastExport.exportedItems);
    else
        text = CString(kExportFailed) + ExportFailureReason(m_lastExport);
    g_core->msgboxWarning(m_hWnd, text);
}

void CItemsDlg::ReportImport(const CImportReport& report)
{
    CString text;
    switch (report.outcome) {
    case CImportReport::Outcome::Done:
        if (report.importedLines == 0 && report.skippedRepeats == 0 && report.fault == RecordFault::None) {
            text = kNothingToImport;
            break;
        }
        if (!report.itemsFile) {
            text.Format(kImportSummary, report.importedLines);
            break;
        }
        text.Format(kItemsFileSummary, report.importedLines, report.skippedRepeats);
        if (report.fault != RecordFault::None) {
            CString fault;
            fault.Format(kItemsFileFault, report.faultLine, RecordFaultReason(report.fault).GetString());
            text += fault;
        }
        break;
    case CImportReport::Outcome::Cancelled:  // the user's own choice: nothing to tell
        return;
    case CImportReport::Outcome::CannotOpen:
        text = L"无法读取所选文件，未导入任何内容。";
        break;
    case CImportReport::Outcome::NotText:
        text = L"所选文件不是文本文件，未导入任何内容。";
        break;
    case CImportReport::Outcome::Failed:
        text = CString(L"导入失败，未导入任何项目！") + ImportFailureReason(report.failureCode);
        break;
    case CImportReport::Outcome::Stopped:
        text = CString(L"导入失败，未导入任何项目！") + ExceptionText(report.stopped) + L"。";
        break;
    }
    g_core->msgboxWarning(m_hWnd, text);
}

void CItemsDlg::listCheckAll(CListCtrl& list, int on)
{
    m_rows.CheckAll(on != 0);
    list.Invalidate();
}

void CItemsDlg::listDeleteChecked(CListCtrl&)
{
    m_rows.RemoveChecked();
    ShowRowCount();
}

CString CItemsDlg::listGetCheckedIds(CListCtrl&)
{
    return ItemIdList(m_rows.CheckedIds());
}
