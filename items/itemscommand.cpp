// The tray's items command.
#include "items/itemscommand.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "items/itemsdlg.h"

void RunItemsCommand(HWND mainWnd)
{
    CItemsDlg dialog;  // no parent: the framework makes the main window its owner
    dialog.DoModal();
    if (!dialog.m_isDataChanged)
        return;
    // The hot list is never rebuilt while the program runs: the change shows after a fresh start.
    g_core->msgboxWarning(mainWnd, "列表数据已变更！请重新执行程序！");
    ::PostQuitMessage(0);
}
