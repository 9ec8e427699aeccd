// CDialog: modal runs from templates, nested dialogs and their owners, WM_QUIT, centring.
#include "framework/afxwin.h"
#include "res/resource.h"
#include "tests/support/modal_script.h"
#include "tests/support/pump.h"
#include "tests/support/window_lookup.h"

#include <gtest/gtest.h>

using testing_support::CMainWindowScope;
using testing_support::CModalScript;
using testing_support::IsUp;

namespace {

// Records what happened during its modal run.
class CProbeDialog : public CDialog {
public:
    explicit CProbeDialog(UINT id, CWnd* parent = nullptr) : CDialog(id, parent) {}
    BOOL OnInitDialog() override
    {
        ++initCount;
        return CDialog::OnInitDialog();
    }
    int initCount = 0;
};

}  // namespace

TEST(Dialog, RunsFromTemplateAndReturnsEndDialogCode)
{
    CProbeDialog dlg(IDD_ITEMEDIT);
    CModalScript script;
    script.Then([&] { return IsUp(dlg); })
          .Then([&] { dlg.EndDialog(42); return true; });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
    EXPECT_EQ(dlg.initCount, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window is destroyed when DoModal returns";
}

TEST(Dialog, OkAndCancelButtonsEndWithTheirIds)
{
    for (int button : {IDOK, IDCANCEL}) {
        CProbeDialog dlg(IDD_ITEMEDIT);
        CModalScript script;
        script.Then([&] { return IsUp(dlg); })
              .Then([&] {
                  ::PostMessageW(::GetDlgItem(dlg.m_hWnd, button), BM_CLICK, 0, 0);
                  return true;
              });
        script.Start();
        EXPECT_EQ(dlg.DoModal(), button);
        EXPECT_TRUE(script.Succeeded());
    }
}

TEST(Dialog, EscapeKeyCancels)
{
    CProbeDialog dlg(IDD_ITEMEDIT);
    CModalScript script;
    script.Then([&] { return IsUp(dlg) && ::GetForegroundWindow() == dlg.m_hWnd; })
          .Then([&] {
              HWND focus = ::GetFocus();
              ::PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
              return true;
          });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Succeeded()) << script.FailedStep();
}

TEST(Dialog, TemplateAtOriginComesUpCentredOnTheScreen)
{
    CProbeDialog dlg(IDD_OPTIONS);
    RECT window = {};
    CModalScript script;
    script.Then([&] { return IsUp(dlg); })
          .Then([&] {
              ::GetWindowRect(dlg.m_hWnd, &window);
              dlg.EndDialog(IDOK);
              return true;
          });
    script.Start();
    dlg.DoModal();
    ASSERT_TRUE(script.Succeeded());
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int centreX = (window.left + window.right) / 2, centreY = (window.top + window.bottom) / 2;
    EXPECT_NEAR(centreX, (work.left + work.right) / 2, 2);
    EXPECT_NEAR(centreY, (work.top + work.bottom) / 2, 2);
    EXPECT_GT(window.left, 0);
}

TEST(Dialog, NestedDialogWithoutParentIsOwnedByTheOpenOneAndDisablesExactlyItsOwners)
{
    CProbeDialog mainDlg(IDD_MAIN);
    CMainWindowScope mainScope(&mainDlg);
    CProbeDialog itemsDlg(IDD_ITEMS);
    CProbeDialog editDlg(IDD_ITEMEDIT);
    HWND editOwner = nullptr, itemsHwnd = nullptr;
    bool mainEnabledUnderEdit = true, itemsEnabledUnderEdit = true;
    bool mainEnabledAfterEdit = false, itemsEnabledAfterEdit = false;
    bool mainEnabledAfterItems = false;
    INT_PTR editResult = 0;

    CModalScript script;
    script.Then([&] { return IsUp(mainDlg); })
          .Then([&] {
              itemsDlg.DoModal();  // runs its own loop; the script goes on inside it
              mainEnabledAfterItems = ::IsWindowEnabled(mainDlg.m_hWnd);
              mainDlg.EndDialog(IDOK);
              return true;
          });
    CModalScript inner;
    inner.Then([&] { return IsUp(itemsDlg); })
         .Then([&] {
             itemsHwnd = itemsDlg.m_hWnd;
             editResult = editDlg.DoModal();
             mainEnabledAfterEdit = ::IsWindowEnabled(mainDlg.m_hWnd);
             itemsEnabledAfterEdit = ::IsWindowEnabled(itemsDlg.m_hWnd);
             itemsDlg.EndDialog(IDOK);
             return true;
         });
    CModalScript innermost;
    innermost.Then([&] { return IsUp(editDlg); })
             .Then([&] {
                 editOwner = ::GetWindow(editDlg.m_hWnd, GW_OWNER);
                 mainEnabledUnderEdit = ::IsWindowEnabled(mainDlg.m_hWnd);
                 itemsEnabledUnderEdit = ::IsWindowEnabled(itemsDlg.m_hWnd);
                 editDlg.EndDialog(7);
                 return true;
             });
    script.Start();
    inner.Start();
    innermost.Start();
    mainDlg.DoModal();

    EXPECT_TRUE(script.Succeeded() && inner.Succeeded() && innermost.Succeeded());
    EXPECT_EQ(editResult, 7);
    ASSERT_NE(itemsHwnd, nullptr);
    EXPECT_EQ(editOwner, itemsHwnd);
    EXPECT_FALSE(mainEnabledUnderEdit);
    EXPECT_FALSE(itemsEnabledUnderEdit);
    EXPECT_FALSE(mainEnabledAfterEdit) << "the main window stays disabled while the items dialog runs";
    EXPECT_TRUE(itemsEnabledAfterEdit);
    EXPECT_TRUE(mainEnabledAfterItems);
}

TEST(Dialog, OwnerOfNestedDialogIsTheOuterDialog)
{
    CProbeDialog mainDlg(IDD_MAIN);
    CMainWindowScope mainScope(&mainDlg);
    CProbeDialog itemsDlg(IDD_ITEMS);
    HWND itemsOwner = nullptr, mainHwnd = nullptr;
    CModalScript script;
    script.Then([&] { return IsUp(mainDlg); })
          .Then([&] { mainHwnd = mainDlg.m_hWnd; itemsDlg.DoModal(); mainDlg.EndDialog(IDOK); return true; });
    CModalScript inner;
    inner.Then([&] { return IsUp(itemsDlg); })
         .Then([&] { itemsOwner = ::GetWindow(itemsDlg.m_hWnd, GW_OWNER); itemsDlg.EndDialog(IDOK); return true; });
    script.Start();
    inner.Start();
    mainDlg.DoModal();
    EXPECT_TRUE(script.Succeeded() && inner.Succeeded());
    EXPECT_EQ(itemsOwner, mainHwnd);
}

TEST(Dialog, AlreadyDisabledOwnerStaysDisabledAfterwards)
{
    CProbeDialog mainDlg(IDD_MAIN);
    CMainWindowScope mainScope(&mainDlg);
    CProbeDialog itemsDlg(IDD_ITEMS);
    bool enabledAfter = true;
    CModalScript script;
    script.Then([&] { return IsUp(mainDlg); })
          .Then([&] {
              ::EnableWindow(mainDlg.m_hWnd, FALSE);
              itemsDlg.DoModal();
              enabledAfter = ::IsWindowEnabled(mainDlg.m_hWnd);
              ::EnableWindow(mainDlg.m_hWnd, TRUE);
              mainDlg.EndDialog(IDOK);
              return true;
          });
    CModalScript inner;
    inner.Then([&] { return IsUp(itemsDlg); }).Then([&] { itemsDlg.EndDialog(IDOK); return true; });
    script.Start();
    inner.Start();
    mainDlg.DoModal();
    EXPECT_TRUE(script.Succeeded() && inner.Succeeded());
    EXPECT_FALSE(enabledAfter);
}

TEST(Dialog, QuitWhileTwoDialogsAreOpenEndsBothAndKeepsItsCode)
{
    CProbeDialog mainDlg(IDD_MAIN);
    CMainWindowScope mainScope(&mainDlg);
    CProbeDialog itemsDlg(IDD_ITEMS);
    INT_PTR itemsResult = 0;
    CModalScript script;
    script.Then([&] { return IsUp(mainDlg); })
          .Then([&] { itemsResult = itemsDlg.DoModal(); return true; });
    CModalScript inner;
    inner.Then([&] { return IsUp(itemsDlg); }).Then([&] { ::PostQuitMessage(-1); return true; });
    script.Start();
    inner.Start();
    INT_PTR mainResult = mainDlg.DoModal();
    EXPECT_EQ(itemsResult, -1);
    EXPECT_EQ(mainResult, -1);
    MSG quit;
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is passed on";
    EXPECT_EQ(static_cast<int>(quit.wParam), -1);
}

TEST(Application, ExitCodeIsThatOfThePendingQuit)
{
    class CQuittingApp : public CWinApp {
    public:
        BOOL InitInstance() override
        {
            CDialog dlg(IDD_ITEMEDIT);
            m_pMainWnd = &dlg;
            CModalScript script;
            script.Then([&] { return dlg.m_hWnd != nullptr; })
                  .Then([&] { ::PostQuitMessage(-1); return true; });
            script.Start();
            dlg.DoModal();
            m_pMainWnd = nullptr;
            return FALSE;
        }
    } app;
    EXPECT_EQ(AfxWinMain(), -1);
}

TEST(Application, CloseBoxEndsWithExitCodeZero)
{
    class CClosingApp : public CWinApp {
    public:
        BOOL InitInstance() override
        {
            CDialog dlg(IDD_ITEMEDIT);
            m_pMainWnd = &dlg;
            CModalScript script;
            script.Then([&] { return dlg.m_hWnd != nullptr; })
                  .Then([&] { ::PostMessageW(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); return true; });
            script.Start();
            result = dlg.DoModal();
            m_pMainWnd = nullptr;
            return FALSE;
        }
        INT_PTR result = 0;
    } app;
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(app.result, IDCANCEL);
}
