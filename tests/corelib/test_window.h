// A plain top-level window for tests that need an owner, destroyed with the object.
#pragma once

#include <windows.h>

class CTestWindow {
public:
    explicit CTestWindow(DWORD style = WS_POPUP | WS_VISIBLE, const wchar_t* className = L"STATIC")
        : m_hWnd(::CreateWindowExW(0, className, L"corelib test", style, 50, 50, 400, 300, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr))
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
