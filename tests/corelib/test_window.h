// A plain top-level window for tests that need an owner, destroyed with the object.
#pragma once

#include <windows.h>

class CTestWindow {
public:
    explicit CTestWindow(DWORD style = WS_POPUP | WS_VISIBLE, const char* className = "STATIC")
        : m_hWnd(::CreateWindowExA(0, className, "corelib test", style, 50, 50, 400, 300, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~CTestWindow()
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};
