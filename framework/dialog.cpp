// CDialog: creation from the template, the modal loop, owner disabling and centring.
#include "framework/dialog.h"

#include "framework/exception_report.h"
#include "framework/winapp.h"

namespace {

// Disables the windows below a modal dialog and enables exactly those again.
class CModalDisabler {
public:
    explicit CModalDisabler(HWND hOwner)
    {
        Disable(hOwner);
        if (hOwner) {
            HWND hTop = ::GetAncestor(hOwner, GA_ROOTOWNER);
            if (hTop != hOwner)
                Disable(hTop);
        }
    }
    ~CModalDisabler() { Restore(); }
    CModalDisabler(const CModalDisabler&) = delete;
    CModalDisabler& operator=(const CModalDisabler&) = delete;

    void Restore()
    {
        for (HWND& hWnd : m_disabled) {
            if (hWnd && ::IsWindow(hWnd))
                ::EnableWindow(hWnd, TRUE);
            hWnd = nullptr;
        }
    }

private:
    void Disable(HWND hWnd)
    {
        if (!hWnd || !::IsWindowEnabled(hWnd))
            return;
        ::EnableWindow(hWnd, FALSE);
        (m_disabled[0] ? m_disabled[1] : m_disabled[0]) = hWnd;
    }
    HWND m_disabled[2] = {nullptr, nullptr};
};

}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd)
        rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

HWND CDialog::FindOwner() const
{
    if (m_pParentWnd && m_pParentWnd->m_hWnd)
        return ::GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT);
    CWnd* mainWnd = AfxGetMainWnd();
    if (!mainWnd || !mainWnd->m_hWnd || mainWnd == this)
        return nullptr;
    HWND hMain = ::GetAncestor(mainWnd->m_hWnd, GA_ROOT);
    return ::GetLastActivePopup(hMain);
}

bool CDialog::TemplateAtOrigin() const
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(m_nIDTemplate), RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const WORD* words = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    if (!words)
        return false;
    // DLGTEMPLATEEX: version, signature 0xFFFF, help id, ex style, style, count, x, y.
    // DLGTEMPLATE: style, ex style, count, x, y.
    const WORD* position = words[1] == 0xFFFF ? words + 9 : words + 5;
    return position[0] == 0 && position[1] == 0;
}

INT_PTR CDialog::DoModal()
{
    HWND hOwner = FindOwner();
    CModalDisabler disabler(hOwner);
    m_bModalDone = false;
    m_nModalResult = -1;
    HWND hWnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), hOwner,
                                     &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd) {
        m_bModalDone = true;
        return -1;
    }
    if (!m_bModalDone) {
        if (!::IsWindowVisible(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    // Hide first and give activation back before the owner sees this window go.
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    disabler.Restore();
    if (hOwner && ::IsWindow(hOwner))
        ::SetActiveWindow(hOwner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_bModalDone) {
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            AfxDeleteTempMaps();
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // Every open loop must end: hand the quit on to the loop below.
            ::PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
            m_nModalResult = -1;
            m_bModalDone = true;
            break;
        }
        if (CWnd::WalkPreTranslateTree(&msg))
            continue;
        if (m_hWnd && ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bModalDone = true;
    // Wake the loop in case the call came from outside its own messages.
    ::PostMessageW(nullptr, WM_NULL, 0, 0);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->SubclassWindow(hWnd))
        return FALSE;
    BOOL result = FALSE;
    try {
        result = dialog->OnInitDialog();
        if (dialog->m_hWnd && dialog->TemplateAtOrigin())
            dialog->CenterWindow();
    } catch (...) {
        AfxReportHandlerException(hWnd, std::current_exception());
        result = FALSE;
    }
    return result;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG*)
{
    // The modal loop hands keyboard input to IsDialogMessage after this walk.
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app ? app->OnCmdMsg(nID, nCode) : FALSE;
}
