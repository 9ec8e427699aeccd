// The main window's size: at start, while the user resizes it, and at another DPI.
#include "mainwnd/windowsize.h"

#include "corelib/core.h"
#include "framework/dpi.h"
#include "framework/work_area.h"
#include "hotlist/hotlistbox.h"

#include <algorithm>
#include <cwchar>

const wchar_t kMainWindowSizeKey[] = L"mainWindowSize";

namespace {

// Posted on a change of DPI, so that the window is placed once the dialog manager has scaled its
// font and controls.
constexpr UINT WM_PLACE_AT_NEW_DPI = WM_APP + 300;

// Entries are 6 % of the list's height as the template makes it, whatever height it has later (the
// list box has no border: its client area is all of it).
int TemplateEntryHeight(HWND hList)
{
    RECT window = {};
    ::GetWindowRect(hList, &window);
    return (window.bottom - window.top) * 6 / 100;
}

}  // namespace

std::optional<CSize> ParseWindowSize(const CString& text)
{
    int width = 0;
    int height = 0;
    wchar_t rest = 0;
    if (std::swscanf(text.GetString(), L"%d,%d%lc", &width, &height, &rest) != 2)
        return std::nullopt;
    if (width <= 0 || height <= 0 || width > 100000 || height > 100000)
        return std::nullopt;
    return CSize(width, height);
}

CString WindowSizeText(const CSize& size)
{
    CString text;
    text.Format(L"%d,%d", static_cast<int>(size.cx), static_cast<int>(size.cy));
    return text;
}

void CMainWindowSize::Attach(CWnd& dialog, UINT templateId, CHotListBox& list, CCore* settings, int searchId,
                             int listId, int statusId)
{
    m_dialog = &dialog;
    m_list = &list;
    m_settings = settings;
    m_dpi = WindowDpi(dialog.m_hWnd);
    const CSize templateClient = DialogTemplateClientSize(dialog.m_hWnd, templateId);
    m_layout.Capture(dialog.m_hWnd, templateClient,
                     {{searchId, CDialogLayout::StretchRight},
                      {listId, CDialogLayout::StretchRight | CDialogLayout::StretchDown},
                      {statusId, CDialogLayout::MoveDown}});
    m_entryHeight = TemplateEntryHeight(list.m_hWnd);
    list.SetEntryHeight(m_entryHeight);

    // The system may have made the window smaller already, to keep it on the screen.
    CRect window;
    CRect client;
    dialog.GetWindowRect(&window);
    dialog.GetClientRect(&client);
    m_templateSize = CSize(templateClient.cx + window.Width() - client.Width(),
                           templateClient.cy + window.Height() - client.Height());
    window.right = window.left + m_templateSize.cx;
    window.bottom = window.top + m_templateSize.cy;
    if (m_settings) {
        if (const std::optional<CString> kept = m_settings->getConfigS(kMainWindowSizeKey)) {
            if (const std::optional<CSize> size = ParseWindowSize(*kept)) {
                window.right = window.left + ScaleToDpi(size->cx, m_dpi);
                window.bottom = window.top + ScaleToDpi(size->cy, m_dpi);
            }
        }
    }
    // Taller than the screen above the taskbar, the status line would be out of reach.
    const CRect fitted = FitInto(window, WorkAreaOf(dialog.m_hWnd));
    dialog.SetWindowPos(nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE);
    m_layout.Apply();
}

bool CMainWindowSize::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!m_dialog)
        return false;
    switch (message) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            m_layout.Apply();
            if (m_moving)
                m_resized = true;
        }
        return false;
    case WM_GETMINMAXINFO: {
        // Room for the search box, a few rows and the status line.
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = m_templateSize.cx / 2;
        info->ptMinTrackSize.y = m_templateSize.cy / 3;
        *result = 0;
        return true;
    }
    case WM_ENTERSIZEMOVE:
        m_moving = true;
        m_resized = false;
        return false;
    case WM_EXITSIZEMOVE:
        m_moving = false;
        if (m_resized)
            RememberSize();
        return false;
    case WM_DPICHANGED:
        m_newDpi = HIWORD(wParam);
        m_suggested = *reinterpret_cast<const RECT*>(lParam);
        m_dialog->PostMessage(WM_PLACE_AT_NEW_DPI);
        return false;
    case WM_PLACE_AT_NEW_DPI:
        OnDpiChanged(m_newDpi, m_suggested);
        *result = 0;
        return true;
    default:
        return false;
    }
}

void CMainWindowSize::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    const UINT old = m_dpi;
    if (dpi == 0 || dpi == old)
        return;
    m_dpi = dpi;
    m_layout.Rescale(old, dpi);
    m_templateSize =
        CSize(ScaleBetweenDpi(m_templateSize.cx, old, dpi), ScaleBetweenDpi(m_templateSize.cy, old, dpi));
    m_entryHeight = ScaleBetweenDpi(m_entryHeight, old, dpi);
    // The dialog manager has scaled the dialog's own font and controls; what is placed here is
    // placed again in the rectangle the system suggested.
    m_dialog->SetWindowPos(nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                           suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    m_layout.Apply();
    m_list->SetEntryHeight(m_entryHeight);
    m_list->OnDpiChanged();
}

void CMainWindowSize::RememberSize()
{
    if (!m_settings)
        return;
    CRect window;
    m_dialog->GetWindowRect(&window);
    const CSize atDesignDpi(ScaleFromDpi(window.Width(), m_dpi), ScaleFromDpi(window.Height(), m_dpi));
    m_settings->saveConfigS(kMainWindowSizeKey, WindowSizeText(atDesignDpi));
}
