// The tray's options command.
#include "options/optionscommand.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "options/optionsdlg.h"

void RunOptionsCommand(HWND mainWnd)
{
    COptionsDlg dialog;  // no parent: the framework makes the main window its owner
    dialog.DoModal();
    if (!dialog.m_isHistoryCleared)
        return;
    // The hot list is never rebuilt while the program runs: the new order needs a fresh start.
    g_core->msgboxWarning(mainWnd, "已清理历史操作信息！请重新执行程序！");
    ::PostQuitMessage(0);
}
