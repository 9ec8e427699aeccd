// Window lookup for tests.
#include "tests/support/window_lookup.h"

#include "res/resource.h"

namespace testing_support {

namespace {

BOOL CALLBACK FindVisibleMenu(HWND hWnd, LPARAM lParam)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, ARRAYSIZE(className));
    if (std::wstring(className) == L"#32768" && ::IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool IsUp(HWND window)
{
    return window && ::IsWindowVisible(window);
}

HWND FindPopupMenu()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindVisibleMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring StatusText(HWND main)
{
    wchar_t text[64] = {};
    ::GetDlgItemTextW(main, IDC_STATUS, text, ARRAYSIZE(text));
    return text;
}

}  // namespace testing_support
