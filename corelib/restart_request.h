// Runs one of the tray's dialogs and, when it changed what the hot list shows, asks for a restart.
#pragma once

#include "corelib/core.h"

#include <windows.h>

// The dialog runs modally with no parent (the framework makes the main window its owner). The hot
// list is never rebuilt while the program runs: when changed is set afterwards, the user is told
// to start the program again and the main window's loop ends with exit code 0.
template <typename TDialog, typename TFlag>
void RunDialogThenRestartRequest(CCore* core, HWND mainWnd, TFlag TDialog::*changed, LPCWSTR warning)
{
    TDialog dialog;
    dialog.DoModal();
    if (!(dialog.*changed))
        return;
    core->msgboxWarning(mainWnd, warning);
    ::PostQuitMessage(0);
}
