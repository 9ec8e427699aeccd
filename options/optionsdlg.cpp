// COptionsDlg: shows and saves isAutoMin, and clears the click counts and times of every item.
#include "options/optionsdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "res/resource.h"
#include "store/dbsession.h"
#include "store/statements.h"

BEGIN_MESSAGE_MAP(COptionsDlg, CDialog)
    ON_BN_CLICKED(IDC_OPTIONS_OK, &COptionsDlg::OnOkButton)
    ON_BN_CLICKED(IDC_CLEARHISTORY, &COptionsDlg::OnClearHistory)
    ON_BN_CLICKED(IDC_OPTIONS_CANCEL, &COptionsDlg::OnCancelButton)
END_MESSAGE_MAP()

COptionsDlg::COptionsDlg(CWnd* pParent) : CDialog(IDD_OPTIONS, pParent)
{
}

COptionsDlg::~COptionsDlg() = default;

// No control is bound to a member: the check box is read and set directly.
void COptionsDlg::DoDataExchange(CDataExchange*)
{
}

BOOL COptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_isHistoryCleared = FALSE;
    // Any nonzero flag means on; the box has only two states.
    ::CheckDlgButton(m_hWnd, IDC_AUTOMIN, g_isAutoMin ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void COptionsDlg::OnOkButton()
{
    int isAutoMin = ::IsDlgButtonChecked(m_hWnd, IDC_AUTOMIN) == BST_CHECKED ? 1 : 0;
    // A setting only held in memory would be gone at the next start: not taken, and said, with
    // the dialog left open for another try or 取消.
    if (!g_core->saveConfigB(kAutoMinKey, isAutoMin)) {
        g_core->msgboxWarning(m_hWnd, L"无法保存设置！设置文件可能是只读的，或正被其他程序使用。");
        return;
    }
    g_isAutoMin = isAutoMin;
    EndDialog(IDOK);
}

void COptionsDlg::OnCancelButton()
{
    EndDialog(IDCANCEL);
}

void COptionsDlg::OnClearHistory()
{
    if (g_core->msgboxConfirm(m_hWnd, L"确定清空操作历史吗？此操作也会清空操作排名。") != IDYES)
        return;
    // Only a clear that took effect asks for the restart; one that did not says so here.
    if (!g_db->Execute(StmtClearHistory())) {
        g_core->msgboxWarning(m_hWnd,
                              L"无法写入数据库，历史未清空！数据库文件可能是只读的，或正被其他程序使用。");
        return;
    }
    m_isHistoryCleared = TRUE;
}
