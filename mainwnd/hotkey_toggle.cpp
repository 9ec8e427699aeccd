// The main window brought up or put away by the global hotkey.
#include "mainwnd/hotkey_toggle.h"

#include "res/resource.h"

void ToggleMainWindowByHotkey(CWnd& main)
{
    if (::GetForegroundWindow() == main.m_hWnd && !main.IsIconic() && main.IsWindowVisible()) {
        main.ShowWindow(SW_MINIMIZE);
        return;
    }
    if (main.IsIconic())
        main.ShowWindow(SW_RESTORE);
    else if (!main.IsWindowVisible())
        main.ShowWindow(SW_SHOW);
    // A dialog the main window has open keeps it disabled: that dialog is what comes to the front.
    HWND front = ::GetLastActivePopup(main.m_hWnd);
    ::SetForegroundWindow(front);
    if (front == main.m_hWnd)
        FocusSearchBox(main);
}

void FocusSearchBox(CWnd& main)
{
    HWND box = ::GetDlgItem(main.m_hWnd, IDC_SEARCH);
    if (!box)
        return;
    // Through the dialog manager, which then gives the focus back to the box whenever the window
    // is activated again.
    main.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
    ::SendMessageW(box, EM_SETSEL, 0, -1);
}
