// Message maps, command and notification routing, DDX_Control and the pre-translation walk.
#include "framework/afxwin.h"
#include "res/resource.h"
#include "tests/support/message_box.h"
#include "tests/support/modal_script.h"
#include "tests/support/pump.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

using testing_support::CModalScript;

namespace {

constexpr UINT kProbeMessage = WM_USER + 77;

// A list box that records the messages it pre-translates and the messages it receives.
class CProbeListBox : public CListBox {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == kProbeMessage)
            log->push_back("list:pretranslate");
        return CListBox::PreTranslateMessage(pMsg);
    }
    void PreSubclassWindow() override { preSubclassed = true; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kProbeMessage)
            log->push_back("list:dispatched");
        return CListBox::WindowProc(message, wParam, lParam);
    }
    std::vector<std::string>* log = nullptr;
    bool preSubclassed = false;
};

class CRoutingDialog : public CDialog {
public:
    CRoutingDialog() : CDialog(IDD_MAIN) { m_list.log = &log; }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == kProbeMessage)
            log.push_back(pMsg->hwnd == m_hWnd ? "dialog:pretranslate-own" : "dialog:pretranslate-child");
        return CDialog::PreTranslateMessage(pMsg);
    }

    void OnCommandProbe() { log.push_back("command"); }
    void OnRangeProbe() { log.push_back("clicked"); }
    void OnNotifyProbe(NMHDR* header, LRESULT* result)
    {
        log.push_back("notify:" + std::to_string(header->idFrom));
        *result = 1234;
    }
    void OnTimer(UINT_PTR id) { log.push_back("timer:" + std::to_string(id)); }

    CProbeListBox m_list;
    std::vector<std::string> log;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_HOTLIST, m_list); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingDialog, CDialog)
    ON_COMMAND(40001, &CRoutingDialog::OnCommandProbe)
    ON_BN_CLICKED(40002, &CRoutingDialog::OnRangeProbe)
    ON_NOTIFY(NM_DBLCLK, 40003, &CRoutingDialog::OnNotifyProbe)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// Runs the dialog until the script has done its steps, then ends it.
void RunWith(CRoutingDialog& dlg, const std::function<void()>& action)
{
    CModalScript script;
    script.Then([&] { return dlg.m_hWnd && ::IsWindowVisible(dlg.m_hWnd); })
          .Then([&] { action(); return true; })
          .Then([&] { dlg.EndDialog(IDOK); return true; });
    script.Start();
    dlg.DoModal();
    ASSERT_TRUE(script.Succeeded()) << script.FailedStep();
}

}  // namespace

TEST(MessageMap, CommandAndNotificationReachTheirHandlers)
{
    CRoutingDialog dlg;
    LRESULT notifyResult = 0;
    RunWith(dlg, [&] {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(40001, 0), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(40002, BN_CLICKED), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(40009, 0), 0);  // no entry: nothing
        NMHDR header = {dlg.m_list.m_hWnd, 40003, static_cast<UINT>(NM_DBLCLK)};
        notifyResult = dlg.SendMessage(WM_NOTIFY, 40003, reinterpret_cast<LPARAM>(&header));
        NMHDR other = {dlg.m_list.m_hWnd, 40003, static_cast<UINT>(NM_RCLICK)};
        dlg.SendMessage(WM_NOTIFY, 40003, reinterpret_cast<LPARAM>(&other));  // other code: nothing
    });
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"command", "clicked", "notify:40003"}));
    EXPECT_EQ(notifyResult, 1234);
}

TEST(MessageMap, WindowMessagesReachTheirHandlers)
{
    CRoutingDialog dlg;
    RunWith(dlg, [&] { dlg.SendMessage(WM_TIMER, 5, 0); });
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"timer:5"}));
}

TEST(MessageMap, DdxControlBindsAndSubclassesTheControl)
{
    CRoutingDialog dlg;
    HWND boundHandle = nullptr, dialogItem = nullptr;
    CWnd* permanent = nullptr;
    WNDPROC procedure = nullptr;
    RunWith(dlg, [&] {
        boundHandle = dlg.m_list.m_hWnd;
        dialogItem = ::GetDlgItem(dlg.m_hWnd, IDC_HOTLIST);
        permanent = CWnd::FromHandlePermanent(dialogItem);
        procedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(dialogItem, GWLP_WNDPROC));
        // A message sent to the control goes through the object.
        ::SendMessageW(dialogItem, kProbeMessage, 0, 0);
    });
    EXPECT_NE(boundHandle, nullptr);
    EXPECT_EQ(boundHandle, dialogItem);
    EXPECT_EQ(permanent, &dlg.m_list);
    EXPECT_TRUE(dlg.m_list.preSubclassed);
    EXPECT_NE(procedure, nullptr);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"list:dispatched"}));
    EXPECT_EQ(dlg.m_list.m_hWnd, nullptr) << "unbound when its window was destroyed";
}

TEST(MessageMap, MessagePostedToChildIsPreTranslatedByChildThenParentThenDispatched)
{
    CRoutingDialog dlg;
    RunWith(dlg, [&] {
        dlg.m_list.PostMessage(kProbeMessage);
        dlg.PostMessage(kProbeMessage);
    });
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"list:pretranslate", "dialog:pretranslate-child",
                                                 "list:dispatched", "dialog:pretranslate-own"}));
}

TEST(MessageMap, UnhandledCommandsReachTheApplication)
{
    class CHelpApp : public CWinApp {
    public:
        BOOL OnCmdMsg(UINT nID, int nCode) override
        {
            if (nID == ID_HELP)
                ++helpCommands;
            return CWinApp::OnCmdMsg(nID, nCode);
        }
        int helpCommands = 0;
    } app;
    CRoutingDialog dlg;
    RunWith(dlg, [&] { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0); });
    EXPECT_EQ(app.helpCommands, 1);
}

TEST(RuntimeClass, KindOfFollowsTheBaseChain)
{
    CListBox list;
    EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CListBox)));
    EXPECT_FALSE(list.IsKindOf(RUNTIME_CLASS(CDialog)));
}

// A static control whose WM_SETTEXT handler sends itself a message whose handler throws, then
// passes WM_SETTEXT on with Default().
class CThrowingStatic : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kProbeMessage)
            std::rethrow_exception(thrown);
        if (message == WM_SETTEXT) {
            thrownResult = SendMessage(kProbeMessage);
            return Default();
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::exception_ptr thrown;
    LRESULT thrownResult = -1;
};

TEST(MessageMap, AThrowingHandlerIsToldInABoxOverItsWindowAndTheOuterMessageGoesOn)
{
    CWinApp app(L"Mirelo");
    const struct {
        std::exception_ptr thrown;
        std::wstring told;
    } rows[] = {
        {std::make_exception_ptr(std::runtime_error("handler failed")), L"操作未完成：handler failed"},
        {std::make_exception_ptr(std::bad_alloc()), L"操作未完成：内存不足"},
    };
    for (const auto& row : rows) {
        HWND hWnd =
            ::CreateWindowW(L"STATIC", L"before", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(hWnd, nullptr);
        CThrowingStatic control;
        control.thrown = row.thrown;
        ASSERT_TRUE(control.SubclassWindow(hWnd));
        testing_support::SeenBox box;
        CModalScript script;
        script.Then(testing_support::AnswerBox(box));
        script.Start();
        ::SetWindowTextW(hWnd, L"after 😀");
        EXPECT_TRUE(script.Succeeded()) << "no box told of the exception";
        EXPECT_EQ(box.text, row.told);
        EXPECT_EQ(box.owner, hWnd) << "the box stands over the window";
        EXPECT_EQ(box.caption, L"Mirelo") << "captioned as the program's other boxes";
        EXPECT_EQ(control.thrownResult, 0) << "the exception ends as a result of 0";
        wchar_t text[32] = {};
        ::GetWindowTextW(hWnd, text, ARRAYSIZE(text));
        EXPECT_STREQ(text, L"after 😀")
            << "Default() passed on the message being handled, not the nested one, and its text whole";
        ::DestroyWindow(hWnd);
        EXPECT_EQ(control.m_hWnd, nullptr);
    }
}
