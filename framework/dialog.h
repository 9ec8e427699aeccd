// CDialog: a dialog made from a resource template that runs its own modal loop.
#pragma once

#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds (subclasses) the control with the given id to rControl, once.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the dialog modeless, disables its owner and runs the modal loop until EndDialog
    // or WM_QUIT (which is posted again for the loops below, and gives -1).
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands the dialog does not handle go on to the application.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FindOwner() const;
    bool TemplateAtOrigin() const;
    void RunModalLoop();

    bool m_bModalDone = true;
    int m_nModalResult = -1;

    DECLARE_MESSAGE_MAP()
};
