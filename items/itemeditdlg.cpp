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

bool CItemEditDlg::LaysOutAtOnce(const CString& content)
{
    // Measured in this box under Wine: each line (up to its CR LF) is wrapped in a time that grows
    // with the square of its length (one line of 16,384 units: 0.8 s, of 65,536 units: 4 s), and
    // each line also costs about as much as 128 units squared (1 MB of lines of 13 units: 1.5 s,
    // of lines of 80: 0.9 s). A content lays out at once when its lines cost no more than one line
    // of 16,384 units.
    constexpr unsigned long long kLineCost = 128ULL * 128ULL;
    constexpr unsigned long long kBudget = 16384ULL * 16384ULL;
    const size_t length = static_cast<size_t>(content.GetLength());
    if (length > kMaxContentAtOnce)
        return false;
    const wchar_t* text = content.GetString();
    unsigned long long cost = 0;
    size_t lineStart = 0;
    for (size_t at = 0; at <= length; ++at) {
        if (at == length || (text[at] == L'\r' && at + 1 < length && text[at + 1] == L'\n')) {
            const unsigned long long line = at - lineStart;
            cost += line * line + kLineCost;
            if (cost > kBudget + kLineCost)
                return false;
            lineStart = at + 2;
            ++at;
        }
    }
    return true;
}

void CItemEditDlg::DoDataExchange(CDataExchange*)
{
}

BOOL CItemEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A content pasted by hand is taken whole, not cut at the box's default 32,767 characters.
    SendDlgItemMessageW(m_hWnd, IDC_EDIT_DATA1, EM_SETLIMITTEXT, 0, 0);
    SetDlgItemText(IDC_EDIT_TITLE, m_title);
    SetDlgItemText(IDC_EDIT_DATA1, m_data1);
    if (!m_note.IsEmpty()) {
        SetDlgItemText(IDC_EDIT_NOTE, m_note);
        ::ShowWindow(::GetDlgItem(m_hWnd, IDC_EDIT_NOTE), SW_SHOWNA);
    }
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
