// A message pump with the framework's pre-translation walk.
#include "tests/hotlist/routed_pump.h"

#include "framework/afxwin.h"

namespace {

bool DispatchOneRouted()
{
    MSG msg;
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        CWnd::DeleteTempMap();
        CDC::DeleteTempMap();
        return false;
    }
    if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!CWnd::WalkPreTranslateTree(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace

bool PumpRoutedUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return condition();
        if (!DispatchOneRouted())
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void PumpRoutedPending()
{
    for (int i = 0; i < 100000 && DispatchOneRouted(); ++i) {
    }
}
