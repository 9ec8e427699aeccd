// app_paste_target: a plain window with an edit box, the program a user comes from in the paste
// tests. Ends when its window is closed.
#include <windows.h>

namespace {

constexpr int kEditId = 100;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                          0, 0, 300, 200, window, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
        return 0;
    case WM_SETFOCUS:
        // Typing goes into the box, as in any form or chat window.
        ::SetFocus(::GetDlgItem(window, kEditId));
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &TargetProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MireloPasteTarget";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, L"MireloPasteTarget", L"粘贴目标", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                    320, 240, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
