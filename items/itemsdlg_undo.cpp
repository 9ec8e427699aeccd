// CItemsDlg: the undo of its deletes, by the 撤销 button or Ctrl+Z, offered until the dialog closes.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "res/resource.h"

namespace {

constexpr wchar_t kDeletedCount[] = L"已删除 %d 项。";
constexpr wchar_t kUndoNotDone[] =
    L"无法写入数据库，未恢复任何项目！数据库文件可能是只读的，或正被其他程序使用。";

}  // namespace

BOOL CItemsDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'Z' && ::GetKeyState(VK_CONTROL) < 0 &&
        m_undo.Count() > 0) {
        OnUndoDelete();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CItemsDlg::OnUndoDelete()
{
    if (m_undo.Count() == 0)
        return;
    if (!m_undo.Restore(g_connStr)) {
        // Everything stays kept, and offered: the user may try again once the file can be written.
        g_core->msgboxWarning(m_hWnd, kUndoNotDone);
        return;
    }
    m_isDataChanged = TRUE;
    m_rows.PutBack(m_undo.TakePlaces());
    // The items came back with their pins.
    LoadPins();
    ShowRowCount();
    ShowUndoOffer();
}

void CItemsDlg::ShowUndoOffer()
{
    const bool offered = m_undo.Count() > 0;
    HWND button = ::GetDlgItem(m_hWnd, IDC_UNDO);
    if (offered) {
        CString text;
        text.Format(kDeletedCount, m_undo.Count());
        SetDlgItemText(IDC_UNDO_TEXT, text);
    } else if (::GetFocus() == button) {
        // The focus does not go with the button: it moves to the list.
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list.m_hWnd), TRUE);
    }
    const HWND text = ::GetDlgItem(m_hWnd, IDC_UNDO_TEXT);
    ::ShowWindow(text, offered ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(button, offered ? SW_SHOWNA : SW_HIDE);
    // A dialog narrowed to fit the screen brings the offer over the tip, which gives way to it.
    const HWND tip = ::GetDlgItem(m_hWnd, IDC_ITEMS_TIP);
    RECT tipRect = {}, textRect = {}, overlap = {};
    ::GetWindowRect(tip, &tipRect);
    ::GetWindowRect(text, &textRect);
    if (!m_loadPending)
        ::ShowWindow(tip, offered && ::IntersectRect(&overlap, &tipRect, &textRect) ? SW_HIDE : SW_SHOWNA);
}
