// Message pumping and screen reading for tests.
#include "tests/support/pump.h"

#include "framework/afxwin.h"

namespace testing_support {

namespace {

// One message as the program's own loops handle it: up the PreTranslateMessage chain first; an
// empty queue is the loop's idle time, when the temporary wrappers go.
bool DispatchOne()
{
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        AfxDeleteTempMaps();
        return false;
    }
    if (msg.message == WM_QUIT) {
        // Not ours to eat: leave it for whoever posted it.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!CWnd::WalkPreTranslateTree(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace

void PumpPending()
{
    for (int i = 0; i < 100000 && DispatchOne(); ++i) {
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return condition();
        if (!DispatchOne())
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

std::optional<int> TakePendingQuit()
{
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return std::nullopt;
    return static_cast<int>(msg.wParam);
}

void PumpFor(DWORD ms)
{
    DWORD start = ::GetTickCount();
    PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
}

void PaintNow(HWND hWnd)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    ::GdiFlush();
}

COLORREF ScreenPixel(int x, int y)
{
    CScreenDC screen(::GetDC(nullptr));
    CMemDC memory(::CreateCompatibleDC(screen.Get()));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen.Get(), 1, 1);
    CSelectObject selected(memory.Get(), bitmap);
    ::BitBlt(memory.Get(), 0, 0, 1, 1, screen.Get(), x, y, SRCCOPY);
    return ::GetPixel(memory.Get(), 0, 0);
}

}  // namespace testing_support
