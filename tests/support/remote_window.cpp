// Windows of another process.
#include "tests/support/remote_window.h"

#include "tests/support/pump.h"

namespace testing_support {

namespace {

struct WindowSearch {
    DWORD processId;
    const std::function<bool(HWND)>* matches;
    HWND found;
};

BOOL CALLBACK VisitWindow(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner == search->processId && ::IsWindowVisible(hWnd) && (*search->matches)(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const std::function<bool(HWND)>& matches)
{
    WindowSearch search = {processId, &matches, nullptr};
    ::EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& matches, DWORD timeoutMs)
{
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindProcessWindow(processId, matches)) != nullptr; }, timeoutMs);
    return found;
}

std::wstring RemoteWindowText(HWND hWnd)
{
    wchar_t wide[1024] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000,
                               &copied))
        return std::wstring();
    return std::wstring(wide, static_cast<size_t>(copied));
}

bool IsDialogClass(HWND hWnd)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, ARRAYSIZE(className));
    return std::wstring(className) == L"#32770";
}

}  // namespace testing_support
