// COptionsDlg: shows and saves isAutoMin, the paste back, starting with Windows and the global
// hotkey, and clears the click counts and times of every item.
#include "options/optionsdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "corelib/file_chooser.h"
#include "corelib/program_path.h"
#include "framework/dialog_layout.h"
#include "options/autostart.h"
#include "options/hotkey_rules.h"
#include "options/hotkey_setting.h"
#include "options/hotkey_text.h"
#include "options/teampath.h"
#include "res/resource.h"
#include "store/dbsession.h"
#include "store/statements.h"
#include "store/teamstore.h"

#include <commctrl.h>

#include <optional>
#include <utility>

namespace {

constexpr wchar_t kTeamPathMalformed[] =
    L"团队项目文件的路径无效！请填写文件的完整路径，例如 D:\\团队\\项目.csv 或 \\\\服务器\\共享\\项目.csv。";

}  // namespace

BEGIN_MESSAGE_MAP(COptionsDlg, CDialog)
    ON_BN_CLICKED(IDC_OPTIONS_OK, &COptionsDlg::OnOkButton)
    ON_BN_CLICKED(IDC_CLEARHISTORY, &COptionsDlg::OnClearHistory)
    ON_BN_CLICKED(IDC_OPTIONS_CANCEL, &COptionsDlg::OnCancelButton)
    ON_BN_CLICKED(IDC_HOTKEY_CLEAR, &COptionsDlg::OnClearHotkey)
    ON_BN_CLICKED(IDC_TEAMFILE_BROWSE, &COptionsDlg::OnBrowseTeamFile)
    ON_BN_CLICKED(IDC_TEAMFILE_CLEAR, &COptionsDlg::OnClearTeamFile)
END_MESSAGE_MAP()

COptionsDlg::COptionsDlg(CGlobalHotkey& hotkey, CWnd* pParent) : CDialog(IDD_OPTIONS, pParent), m_hotkey(hotkey)
{
}

COptionsDlg::~COptionsDlg() = default;

// No control is bound to a member: the check boxes and the hot key control are read and set directly.
void COptionsDlg::DoDataExchange(CDataExchange*)
{
}

BOOL COptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_isHistoryCleared = FALSE;
    // Whatever the screen and its scale, the buttons that end the dialog stay on it.
    FitDialogToWorkArea(m_hWnd, IDD_OPTIONS,
                        {{IDC_OPTIONS_OK, CDialogLayout::MoveRight | CDialogLayout::MoveDown},
                         {IDC_OPTIONS_CANCEL, CDialogLayout::MoveRight | CDialogLayout::MoveDown}});
    // Any nonzero flag means on; the box has only two states.
    ::CheckDlgButton(m_hWnd, IDC_AUTOMIN, g_isAutoMin ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_PASTEBACK, g_core->getConfigB(kPasteBackKey) ? BST_CHECKED : BST_UNCHECKED);
    // The registry's value as it is now: the setup or another copy may have changed it.
    ::CheckDlgButton(m_hWnd, IDC_AUTOSTART, IsAutoStartOn(ProgramFilePath()) ? BST_CHECKED : BST_UNCHECKED);
    ::SendDlgItemMessageW(m_hWnd, IDC_HOTKEY, HKM_SETRULES, kHotkeyUnmodifiedCombinations,
                          MAKELPARAM(kHotkeyAddedModifiers, 0));
    ::SendDlgItemMessageW(m_hWnd, IDC_HOTKEY, HKM_SETHOTKEY, m_hotkey.Key(), 0);
    ::SetDlgItemTextW(m_hWnd, IDC_TEAMFILE, g_core->getConfigS(kTeamFileKey).value_or(CString()));
    return TRUE;
}

void COptionsDlg::OnOkButton()
{
    int isAutoMin = ::IsDlgButtonChecked(m_hWnd, IDC_AUTOMIN) == BST_CHECKED ? 1 : 0;
    const int isPasteBack = ::IsDlgButtonChecked(m_hWnd, IDC_PASTEBACK) == BST_CHECKED ? 1 : 0;
    const bool startsWithWindows = ::IsDlgButtonChecked(m_hWnd, IDC_AUTOSTART) == BST_CHECKED;
    const WORD hotkey = static_cast<WORD>(::SendDlgItemMessageW(m_hWnd, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    // Held as a global hotkey, it would stop working in every other program: said, nothing saved.
    if (IsEveryProgramsKey(hotkey)) {
        g_core->msgboxWarning(m_hWnd, HotkeyEveryProgramsText(hotkey));
        return;
    }
    CString typedTeamFile;
    GetDlgItemText(IDC_TEAMFILE, typedTeamFile);
    const CString teamFile = TidyTeamPath(typedTeamFile);
    // Only a path no file could have is refused here; a share out of reach now is the status line's.
    if (!IsWellFormedTeamPath(teamFile)) {
        g_core->msgboxWarning(m_hWnd, kTeamPathMalformed);
        return;
    }
    // The chosen key is registered before anything is saved, beside the one in effect: a key
    // another program holds is said, with the dialog left open and nothing saved.
    std::optional<CGlobalHotkey> replacement;
    if (hotkey != m_hotkey.Key() || (hotkey != 0 && !m_hotkey.IsRegistered())) {
        replacement.emplace(m_hotkey.Successor(hotkey));
        if (replacement->Error() != 0) {
            g_core->msgboxWarning(m_hWnd, HotkeyRefusedText(hotkey, replacement->Error()));
            return;
        }
    }
    // A setting only held in memory would be gone at the next start: not taken, and said, with
    // the dialog left open for another try or 取消.
    if (!g_core->saveConfigB(kAutoMinKey, isAutoMin) || !g_core->saveConfigB(kPasteBackKey, isPasteBack) ||
        !SaveHotkeySetting(*g_core, hotkey) || !g_core->saveConfigS(kTeamFileKey, teamFile)) {
        g_core->msgboxWarning(m_hWnd, L"无法保存设置！设置文件可能是只读的，或正被其他程序使用。");
        return;
    }
    g_isAutoMin = isAutoMin;
    // Taking the new registration lets the old key go: the change needs no restart.
    if (replacement)
        m_hotkey = std::move(*replacement);
    // The box is read from the registry at every opening: a value not written shows as it is next time.
    if (!SetAutoStart(ProgramFilePath(), startsWithWindows))
        g_core->msgboxWarning(m_hWnd, L"无法设置开机时自动启动！注册表中的启动项无法写入，其他设置已保存。");
    EndDialog(IDOK);
}

void COptionsDlg::OnCancelButton()
{
    EndDialog(IDCANCEL);
}

// The hot key control takes every key as part of a hotkey, so "no hotkey" needs a button.
void COptionsDlg::OnClearHotkey()
{
    ::SendDlgItemMessageW(m_hWnd, IDC_HOTKEY, HKM_SETHOTKEY, 0, 0);
}

void COptionsDlg::OnBrowseTeamFile()
{
    const CString path = ChooseTeamFile();
    if (!path.IsEmpty())
        ::SetDlgItemTextW(m_hWnd, IDC_TEAMFILE, path);
}

CString COptionsDlg::ChooseTeamFile()
{
    return ChooseTextFile(m_hWnd);
}

void COptionsDlg::OnClearTeamFile()
{
    ::SetDlgItemTextW(m_hWnd, IDC_TEAMFILE, L"");
}

void COptionsDlg::OnClearHistory()
{
    if (g_core->msgboxConfirm(m_hWnd, L"确定清空操作历史吗？此操作也会清空操作排名。") != IDYES)
        return;
    // Only a clear that took effect reorders the list; one that did not says so here.
    // The team items' clicks are the user's too; without a team file ever read, there are none.
    if (!g_db->Execute(StmtClearHistory()) || !ClearTeamHistory(g_connStr)) {
        g_core->msgboxWarning(m_hWnd,
                              L"无法写入数据库，历史未清空！数据库文件可能是只读的，或正被其他程序使用。");
        return;
    }
    m_isHistoryCleared = TRUE;
}
