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
    // The box wraps each line (up to its CR LF) in a time that grows with the square of its
    // length: one line of 16,384 units takes 0.1 s, of 65,536 units 4 s, and 1 MB of lines of
    // 16,384 units 6 s, while 1 MB of lines of 80 takes 0.3 s. The squares are summed against the
    // cost of one line of 16,384 units.
    constexpr unsigned long long kLineWork = 16384ULL * 16384ULL;
    const size_t length = static_cast<size_t>(content.GetLength());
    if (length > kMaxContentAtOnce)
        return false;
    const wchar_t* text = content.GetString();
    unsigned long long work = 0;
    size_t lineStart = 0;
    for (size_t at = 0; at <= length; ++at) {
        if (at == length || (text[at] == L'\r' && at + 1 < length && text[at + 1] == L'\n')) {
            const unsigned long long line = at - lineStart;
            work += line * line;
            if (work > kLineWork)
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
