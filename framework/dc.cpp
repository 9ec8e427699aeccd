// CDC, CPaintDC and CClientDC.
#include "framework/dc.h"

#include "framework/wnd.h"

#include <map>
#include <memory>

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)

namespace {

std::map<HDC, std::unique_ptr<CDC>>& TemporaryDCs()
{
    static std::map<HDC, std::unique_ptr<CDC>> map;
    return map;
}

}  // namespace

CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC)
        return nullptr;
    auto& temporaries = TemporaryDCs();
    auto found = temporaries.find(hDC);
    if (found != temporaries.end())
        return found->second.get();
    auto wrapper = std::make_unique<CDC>();
    wrapper->m_hDC = wrapper->m_hAttribDC = hDC;
    CDC* result = wrapper.get();
    temporaries.emplace(hDC, std::move(wrapper));
    return result;
}

void CDC::DeleteTempMap()
{
    TemporaryDCs().clear();
}

int CDC::SaveDC()
{
    int saved = m_hDC ? ::SaveDC(m_hDC) : 0;
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SaveDC(m_hAttribDC);
    return saved;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL restored = m_hDC ? ::RestoreDC(m_hDC, nSavedDC) : FALSE;
    // The attribute handle was saved once with the output handle: its latest state is that save.
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::RestoreDC(m_hAttribDC, -1);
    return restored;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    HGDIOBJ previous = nullptr;
    if (m_hDC != m_hAttribDC)
        previous = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC)
        previous = ::SelectObject(m_hAttribDC, hObject);
    return previous;
}

int CDC::SetMapMode(int mode)
{
    int previous = 0;
    if (m_hDC != m_hAttribDC)
        previous = ::SetMapMode(m_hDC, mode);
    if (m_hAttribDC)
        previous = ::SetMapMode(m_hAttribDC, mode);
    return previous;
}

int CDC::SetBkMode(int mode)
{
    int previous = 0;
    if (m_hDC != m_hAttribDC)
        previous = ::SetBkMode(m_hDC, mode);
    if (m_hAttribDC)
        previous = ::SetBkMode(m_hAttribDC, mode);
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    COLORREF previous = CLR_INVALID;
    if (m_hDC != m_hAttribDC)
        previous = ::SetBkColor(m_hDC, color);
    if (m_hAttribDC)
        previous = ::SetBkColor(m_hAttribDC, color);
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    COLORREF previous = CLR_INVALID;
    if (m_hDC != m_hAttribDC)
        previous = ::SetTextColor(m_hDC, color);
    if (m_hAttribDC)
        previous = ::SetTextColor(m_hAttribDC, color);
    return previous;
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const
{
    CSize size;
    ::GetTextExtentPoint32W(m_hAttribDC, text, count, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    if (m_hWnd)
        m_hDC = m_hAttribDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd)
        ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    if (m_hWnd)
        m_hDC = m_hAttribDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}
