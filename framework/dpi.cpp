// Finding a window's DPI on every Windows from 7 on, and scaling pixel sizes by it.
#include "framework/dpi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up once: Windows 7 and 8 have no GetDpiForWindow, and a program that imported it would
// not start there.
GetDpiForWindowFn DpiForWindowFunction()
{
    static const GetDpiForWindowFn function = [] {
        const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
        FARPROC found = user32 ? ::GetProcAddress(user32, "GetDpiForWindow") : nullptr;
        return reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(found));
    }();
    return function;
}

UINT SystemDpi()
{
    const HDC screen = ::GetDC(nullptr);
    if (!screen)
        return kDesignDpi;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

}  // namespace

UINT WindowDpi(HWND hWnd)
{
    if (GetDpiForWindowFn function = DpiForWindowFunction(); function && hWnd) {
        if (const UINT dpi = function(hWnd); dpi != 0)
            return dpi;
    }
    return SystemDpi();
}

int ScaleToDpi(int pixels, UINT dpi)
{
    return ScaleBetweenDpi(pixels, kDesignDpi, dpi);
}

int ScaleFromDpi(int pixels, UINT dpi)
{
    return ScaleBetweenDpi(pixels, dpi > 0 ? dpi : kDesignDpi, kDesignDpi);
}

int ScaleBetweenDpi(int pixels, UINT fromDpi, UINT toDpi)
{
    if (fromDpi == 0)
        return pixels;
    return ::MulDiv(pixels, static_cast<int>(toDpi), static_cast<int>(fromDpi));
}

HICON LoadIconAtSize(HINSTANCE module, UINT id, int size)
{
    return static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_SHARED));
}
