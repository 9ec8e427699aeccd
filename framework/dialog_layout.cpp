// Placing a dialog's controls for its size.
#include "framework/dialog_layout.h"

#include "framework/dpi.h"
#include "framework/winapp.h"
#include "framework/work_area.h"

#include <algorithm>

void CDialogLayout::Capture(HWND hDialog, const CSize& templateClient,
                            std::initializer_list<Control> controls)
{
    m_hDialog = hDialog;
    m_controls.clear();
    m_client = templateClient;
    for (const Control& control : controls) {
        const HWND hControl = ::GetDlgItem(hDialog, control.id);
        if (!hControl)
            continue;
        RECT rect = {};
        ::GetWindowRect(hControl, &rect);
        ::MapWindowPoints(nullptr, hDialog, reinterpret_cast<POINT*>(&rect), 2);
        m_controls.push_back(Placed{control.id, control.anchors, CRect(rect)});
    }
}

void CDialogLayout::Apply() const
{
    if (!m_hDialog)
        return;
    RECT client = {};
    ::GetClientRect(m_hDialog, &client);
    const LONG dx = client.right - m_client.cx;
    const LONG dy = client.bottom - m_client.cy;
    for (const Placed& placed : m_controls) {
        CRect rect = placed.rect;
        if (placed.anchors & MoveRight) {
            rect.left += dx;
            rect.right += dx;
        } else if (placed.anchors & StretchRight) {
            rect.right = std::max(rect.left, rect.right + dx);
        }
        if (placed.anchors & MoveDown) {
            rect.top += dy;
            rect.bottom += dy;
        } else if (placed.anchors & StretchDown) {
            rect.bottom = std::max(rect.top, rect.bottom + dy);
        }
        if (const HWND hControl = ::GetDlgItem(m_hDialog, placed.id))
            ::SetWindowPos(hControl, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CDialogLayout::Rescale(UINT oldDpi, UINT newDpi)
{
    if (oldDpi == 0 || oldDpi == newDpi)
        return;
    const auto scale = [&](LONG value) { return static_cast<LONG>(ScaleBetweenDpi(value, oldDpi, newDpi)); };
    m_client = CSize(scale(m_client.cx), scale(m_client.cy));
    for (Placed& placed : m_controls)
        placed.rect = CRect(scale(placed.rect.left), scale(placed.rect.top), scale(placed.rect.right),
                            scale(placed.rect.bottom));
}

CSize DialogTemplateClientSize(HWND hDialog, UINT templateId)
{
    const HINSTANCE module = AfxGetResourceHandle();
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const WORD* words = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    RECT client = {};
    if (!words) {
        ::GetClientRect(hDialog, &client);
        return CSize(client.right, client.bottom);
    }
    // DLGTEMPLATEEX: version, signature 0xFFFF, help id, ex style, style, count, x, y, cx, cy.
    // DLGTEMPLATE: style, ex style, count, x, y, cx, cy.
    const WORD* size = words[1] == 0xFFFF ? words + 11 : words + 7;
    client.right = static_cast<short>(size[0]);
    client.bottom = static_cast<short>(size[1]);
    ::MapDialogRect(hDialog, &client);
    return CSize(client.right, client.bottom);
}

void FitDialogToWorkArea(HWND hDialog, UINT templateId,
                         std::initializer_list<CDialogLayout::Control> controls)
{
    CDialogLayout layout;
    layout.Capture(hDialog, DialogTemplateClientSize(hDialog, templateId), controls);
    FitWindowToWorkArea(hDialog);
    layout.Apply();
}
