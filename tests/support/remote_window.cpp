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

std::string RemoteWindowText(HWND hWnd)
{
    wchar_t wide[1024] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000,
                               &copied))
        return std::string();
    char bytes[2048] = {};
    int length = ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(copied), bytes, sizeof(bytes),
                                       nullptr, nullptr);
    return std::string(bytes, length > 0 ? length : 0);
}

bool IsDialogClass(HWND hWnd)
{
    char className[16] = {};
    ::GetClassNameW(hWnd, className, sizeof(className));
    return std::string(className) == L"#32770";
}

}  // namespace testing_support
