// Test helper: another program, with a window in front and, if asked, a global hotkey of its own;
// its window is a plain one with an edit box that has the keyboard, as a form or a chat window.
//   other_program [HOTKEY]
// HOTKEY is a hot key control value in decimal. The program registers it first (exit code 2 when
// that fails, with no window shown), then shows its window "other program" and brings it to the
// front. It ends with exit code 0 once its window is closed; 1 for bad arguments.
#include "framework/global_hotkey.h"

#include <cstdlib>
#include <windows.h>

namespace {

LRESULT CALLBACK OtherProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
                          380, 250, window, nullptr, nullptr, nullptr);
        return 0;
    case WM_SETFOCUS:
        ::SetFocus(::GetWindow(window, GW_CHILD));
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2)
        return 1;
    const unsigned long hotkey = argc == 2 ? std::strtoul(argv[1], nullptr, 10) : 0;
    if (hotkey > 0xFFFF)
        return 1;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &OtherProgramProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"MireloTestOtherProgram";
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"other program", WS_OVERLAPPEDWINDOW, 200, 150,
                                    400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 1;
    CGlobalHotkey held(window, 1, static_cast<WORD>(hotkey));
    if (hotkey != 0 && !held.IsRegistered())
        return 2;
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
