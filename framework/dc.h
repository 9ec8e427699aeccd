// CDC (output and attribute handles), CPaintDC (BeginPaint/EndPaint for one paint), CClientDC (a
// window's DC from GetDC, released with it), the owners of memory and screen DCs, and CSelectObject.
#pragma once

#include "base/unique_handle.h"
#include "framework/geometry.h"
#include "framework/object.h"

#include <windows.h>

class CWnd;

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Drawing goes to m_hDC; measuring and queries read m_hAttribDC.
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // A temporary wrapper for a handle, freed when the message loop is idle.
    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();

    int SaveDC();
    virtual BOOL RestoreDC(int nSavedDC);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    int SetMapMode(int mode);
    int SetBkMode(int mode);
    COLORREF SetBkColor(COLORREF color);
    COLORREF SetTextColor(COLORREF color);
    void FillRect(LPCRECT rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }
    CSize GetTextExtent(LPCWSTR text, int count) const;
    BOOL TextOut(int x, int y, LPCWSTR text, int count) { return ::TextOutW(m_hDC, x, y, text, count); }
    BOOL BitBlt(int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop)
    { return ::BitBlt(m_hDC, x, y, width, height, source, xSrc, ySrc, rop); }
    UINT SetBoundsRect(LPCRECT rect, UINT flags) { return ::SetBoundsRect(m_hDC, rect, flags); }
};

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps = {};

protected:
    HWND m_hWnd = nullptr;
};

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

struct CMemDCTraits : CNullHandleTraits<HDC> {
    static void Close(HDC hDC) noexcept { ::DeleteDC(hDC); }
};
// A memory DC from CreateCompatibleDC.
using CMemDC = CUniqueHandle<CMemDCTraits>;

struct CScreenDCTraits : CNullHandleTraits<HDC> {
    static void Close(HDC hDC) noexcept { ::ReleaseDC(nullptr, hDC); }
};
// The screen's DC from GetDC(NULL).
using CScreenDC = CUniqueHandle<CScreenDCTraits>;

// Selects a GDI object into a DC and puts the previous one back when it goes out of scope.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hPrevious(::SelectObject(hDC, hObject)) {}
    ~CSelectObject() { if (m_hPrevious) ::SelectObject(m_hDC, m_hPrevious); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};
