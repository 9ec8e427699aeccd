// CItemEditDlg: the two boxes, and the check that the content to copy is not empty.
#include "items/itemeditdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CItemEditDlg, CDialog)
END_MESSAGE_MAP()

CItemEditDlg::CItemEditDlg() : CDialog(IDD_ITEMEDIT)
{
}

CItemEditDlg::~CItemEditDlg() = default;

void CItemEditDlg::DoDataExchange(CDataExchange*)
{
}

BOOL CItemEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_EDIT_TITLE, m_title);
    SetDlgItemText(IDC_EDIT_DATA1, m_data1);
    if (m_bSelectData1 && !m_data1.IsEmpty()) {
        // Moving the focus to an edit box selects its whole text.
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDC_EDIT_DATA1)), TRUE);
        return FALSE;
    }
    return TRUE;
}

void CItemEditDlg::OnOK()
{
    // Taken exactly as typed: a content of blanks only is still a content.
    GetDlgItemText(IDC_EDIT_TITLE, m_title);
    GetDlgItemText(IDC_EDIT_DATA1, m_data1);
    if (m_data1.IsEmpty()) {
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDC_EDIT_DATA1)), TRUE);
        g_core->msgboxWarning(m_hWnd, L"复制内容不能为空！");
        return;
    }
    if (m_fnSave && !m_fnSave(*this))
        return;
    CDialog::OnOK();
}

void CItemEditDlg::OnCancel()
{
    CDialog::OnCancel();
}
