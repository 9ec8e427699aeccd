// Message box lookup for tests.
#include "tests/support/message_box.h"

#include "framework/wnd.h"

namespace testing_support {

namespace {

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (std::string(className) == "#32770" && ::IsWindowVisible(hWnd) && !CWnd::FromHandlePermanent(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindSystemDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string MessageBoxText(HWND box)
{
    char text[1024] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

void AnswerMessageBox(HWND box, int buttonId)
{
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, buttonId)));
}

std::function<bool()> AnswerBox(SeenBox& seen, int button)
{
    return [&seen, button] {
        HWND box = FindSystemDialog();
        if (!box)
            return false;
        seen.seen = true;
        seen.box = box;
        seen.owner = ::GetWindow(box, GW_OWNER);
        char caption[128] = {};
        ::GetWindowTextA(box, caption, sizeof(caption));
        seen.caption = caption;
        seen.text = MessageBoxText(box);
        AnswerMessageBox(box, button);
        return true;
    };
}

}  // namespace testing_support
