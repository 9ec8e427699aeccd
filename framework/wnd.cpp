// CWnd: the handle map, subclassing, message-map dispatch and owner-draw reflection.
#include "framework/wnd.h"

#include "framework/dc.h"
#include "framework/exception_report.h"

#include <map>
#include <memory>

// Pointers travel in LONG_PTR and LPARAM values (window procedures, dialog parameters, item data),
// and a 64-bit build has 64-bit pointers.
static_assert(sizeof(LONG_PTR) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*),
              "a pointer fits a LONG_PTR and an LPARAM");
#ifdef _WIN64
static_assert(sizeof(void*) == 8, "a 64-bit build has 8-byte pointers");
#else
static_assert(sizeof(void*) == 4, "a 32-bit build has 4-byte pointers");
#endif

namespace {

std::map<HWND, CWnd*>& PermanentMap()
{
    static std::map<HWND, CWnd*> map;
    return map;
}

// A wrapper FromHandle lends out: by its type it never destroys or unbinds the window it names.
class CTemporaryWnd : public CWnd {
public:
    explicit CTemporaryWnd(HWND hWnd) { m_hWnd = hWnd; }
    ~CTemporaryWnd() override { m_hWnd = nullptr; }
};

std::map<HWND, std::unique_ptr<CWnd>>& TemporaryMap()
{
    static std::map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

}  // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CWnd::~CWnd()
{
    if (m_hWnd) {
        HWND hWnd = m_hWnd;
        // Destroying runs WM_NCDESTROY through this object, which unbinds it.
        if (m_pfnSuper && ::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
        if (m_hWnd)
            Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto found = PermanentMap().find(hWnd);
    return found == PermanentMap().end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd))
        return permanent;
    auto& temporaries = TemporaryMap();
    auto found = temporaries.find(hWnd);
    if (found != temporaries.end())
        return found->second.get();
    auto wrapper = std::make_unique<CTemporaryWnd>(hWnd);
    CWnd* result = wrapper.get();
    temporaries.emplace(hWnd, std::move(wrapper));
    return result;
}

void CWnd::DeleteTempMap()
{
    TemporaryMap().clear();
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    m_hWnd = hWnd;
    PermanentMap()[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        PermanentMap().erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    if (!m_pfnSuper) {
        Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hControl = pParent ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
    return hControl ? SubclassWindow(hControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd && m_pfnSuper)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CWnd::WalkPreTranslateTree(MSG* pMsg)
{
    try {
        for (HWND hWnd = pMsg->hwnd; hWnd;) {
            if (CWnd* wnd = FromHandlePermanent(hWnd))
                if (wnd->PreTranslateMessage(pMsg))
                    return TRUE;
            if (!(::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
                break;  // reached the top-level window
            hWnd = ::GetParent(hWnd);
        }
    } catch (...) {
        // The message ends here, told of, rather than dispatched half handled.
        AfxReportHandlerException(pMsg->hwnd, std::current_exception());
        return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    // The message Default() passes on, put back however the handler leaves (a nested message
    // may arrive while it runs).
    class CCurrentMessage {
    public:
        CCurrentMessage(CWnd& owner, const MSG& msg) : m_owner(owner), m_previous(owner.m_currentMsg)
        {
            m_owner.m_currentMsg = msg;
        }
        ~CCurrentMessage() { m_owner.m_currentMsg = m_previous; }
        CCurrentMessage(const CCurrentMessage&) = delete;
        CCurrentMessage& operator=(const CCurrentMessage&) = delete;

    private:
        CWnd& m_owner;
        MSG m_previous;
    };

    LRESULT result = 0;
    // No exception may cross back into USER32, and none goes untold: the user sees a box, and
    // the message ends with 0.
    try {
        CCurrentMessage current(*wnd, MSG{hWnd, message, wParam, lParam, 0, {0, 0}});
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        AfxReportHandlerException(hWnd, std::current_exception());
        result = 0;
    }
    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == wnd) {
        wnd->UnsubclassWindow();
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        const AFX_MSGMAP_ENTRY* entry =
            FindEntry(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom));
        if (!entry)
            return FALSE;
        *pResult = entry->pfn(this, wParam, lParam);
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (CWnd* control = item->CtlType == ODT_MENU ? nullptr : FromHandlePermanent(item->hwndItem)) {
            control->DrawItem(item);
            *pResult = TRUE;
            return TRUE;
        }
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
    if (!entry)
        return FALSE;
    *pResult = entry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgItemText(int nID, CString& text) const
{
    HWND hControl = ::GetDlgItem(m_hWnd, nID);
    int length = hControl ? ::GetWindowTextLengthW(hControl) : 0;
    ::GetDlgItemTextW(m_hWnd, nID, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text.GetLength();
}

int CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text.GetLength();
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (style == changed)
        return FALSE;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

void CWnd::CenterWindow(HWND hAlternateOwner)
{
    HWND hOwner = hAlternateOwner ? hAlternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT area = work;
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &area);
    CRect window;
    GetWindowRect(&window);
    LONG x = area.left + (area.right - area.left - window.Width()) / 2;
    LONG y = area.top + (area.bottom - area.top - window.Height()) / 2;
    // Keep it on the work area.
    if (x + window.Width() > work.right) x = work.right - window.Width();
    if (y + window.Height() > work.bottom) y = work.bottom - window.Height();
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
