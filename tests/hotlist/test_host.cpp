// CTestHost and the list box window the row list box tests bind to.
#include "tests/hotlist/test_host.h"

#include "hotlist/itemclick.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/support/pump.h"

namespace {

const wchar_t* HostClassName()
{
    static const wchar_t* name = [] {
        WNDCLASSW wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"MireloHotListTestHost";
        ::RegisterClassW(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

}  // namespace

CTestHost::CTestHost(int x, int y, int clientWidth, int clientHeight)
{
    HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST, HostClassName(), L"", WS_POPUP | WS_VISIBLE, x, y,
                                  clientWidth, clientHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                                  nullptr);
    SubclassWindow(hWnd);
    ::SetForegroundWindow(hWnd);
    testing_support::PaintNow(hWnd);
}

CTestHost::~CTestHost()
{
    if (m_hWnd)
        DestroyWindow();
    testing_support::PumpPending();
}

LRESULT CTestHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ITEMCLICK)
        m_itemClicks.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}});
    else if (message == WM_COMMAND)
        m_commands.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}});
    else if (message >= WM_USER && message < 0xC000)
        m_otherPrivateMessages.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}});
    if (message == WM_PAINT && m_onPaint) {
        m_onPaint(this);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

HWND CreateRowListBoxWindow(HWND hParent, int x, int y, int width, int height)
{
    const auto id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1002));
    return ::CreateWindowExW(0, L"LISTBOX", L"", 0x50212111, x, y, width, height, hParent, id,
                             ::GetModuleHandleW(nullptr), nullptr);
}

void ParkMouse()
{
    MouseMoveTo(kParkX, kParkY);
    testing_support::PumpPending();
}
