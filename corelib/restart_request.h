// Runs one of the tray's dialogs and, when it changed what the hot list shows, asks for a restart.
#pragma once

#include "corelib/core.h"

#include <utility>
#include <windows.h>

// The dialog, made from dialogArgs, runs modally with no parent (the framework makes the main
// window its owner). The hot list is never rebuilt while the program runs: when changed is set
// afterwards, the user is told to start the program again and the main window's loop ends with
// exit code 0.
template <typename TDialog, typename TFlag, typename... TArgs>
void RunDialogThenRestartRequest(CCore* core, HWND mainWnd, TFlag TDialog::*changed, LPCWSTR warning,
                                 TArgs&&... dialogArgs)
{
    TDialog dialog(std::forward<TArgs>(dialogArgs)...);
    dialog.DoModal();
    if (!(dialog.*changed))
        return;
    core->msgboxWarning(mainWnd, warning);
    ::PostQuitMessage(0);
}
