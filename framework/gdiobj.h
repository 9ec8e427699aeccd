// CFont, CBrush, CBitmap and CRgn: owners of GDI objects, deleted with the object; the handle
// type says which kind of object each holds.
#pragma once

#include "base/unique_handle.h"
#include "framework/object.h"

#include <windows.h>

template <typename THandle> struct CGdiObjectTraits : CNullHandleTraits<THandle> {
    static void Close(THandle handle) noexcept { ::DeleteObject(handle); }
};

template <typename THandle> class CGdiObjectT : public CObject {
public:
    THandle GetSafeHandle() const { return m_object.Get(); }
    operator THandle() const { return m_object.Get(); }
    // Takes ownership of hObject, deleting the object held so far; FALSE for a null handle.
    BOOL Attach(THandle hObject)
    {
        if (!hObject)
            return FALSE;
        m_object.Reset(hObject);
        return TRUE;
    }
    THandle Detach() { return m_object.Release(); }
    BOOL DeleteObject()
    {
        if (!m_object)
            return FALSE;
        m_object.Reset();
        return TRUE;
    }

private:
    CUniqueHandle<CGdiObjectTraits<THandle>> m_object;
};

class CFont : public CGdiObjectT<HFONT> {
public:
    BOOL CreateFontIndirect(const LOGFONTW* logFont) { return Attach(::CreateFontIndirectW(logFont)); }
    BOOL GetLogFont(LOGFONTW* logFont) const
    {
        return GetSafeHandle() &&
               ::GetObjectW(GetSafeHandle(), sizeof(LOGFONTW), logFont) == sizeof(LOGFONTW);
    }
};

class CBrush : public CGdiObjectT<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
};

class CBitmap : public CGdiObjectT<HBITMAP> {
public:
    BOOL CreateCompatibleBitmap(HDC hDC, int width, int height)
    {
        return Attach(::CreateCompatibleBitmap(hDC, width, height));
    }
};

class CRgn : public CGdiObjectT<HRGN> {
public:
    BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
    // This region becomes the combination of a and b (either may be this region itself).
    int CombineRgn(HRGN a, HRGN b, int mode) { return ::CombineRgn(GetSafeHandle(), a, b, mode); }
};
