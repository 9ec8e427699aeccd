// Message box lookup for tests.
#include "tests/support/message_box.h"

#include "framework/wnd.h"

namespace testing_support {

namespace {

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    if (std::wstring(className) == L"#32770" && ::IsWindowVisible(hWnd) && !CWnd::FromHandlePermanent(hWnd)) {
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

std::wstring MessageBoxText(HWND box)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

void AnswerMessageBox(HWND box, int buttonId)
{
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
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
        wchar_t caption[128] = {};
        ::GetWindowTextW(box, caption, ARRAYSIZE(caption));
        seen.caption = caption;
        seen.text = MessageBoxText(box);
        AnswerMessageBox(box, button);
        return true;
    };
}

}  // namespace testing_support
