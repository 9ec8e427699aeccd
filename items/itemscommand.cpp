// The tray's items command.
#include "items/itemscommand.h"

#include "appstate/globals.h"
#include "corelib/restart_request.h"
#include "items/itemsdlg.h"

void RunItemsCommand(HWND mainWnd)
{
    RunDialogThenRestartRequest(g_core, mainWnd, &CItemsDlg::m_isDataChanged,
                                L"列表数据已变更！请重新执行程序！");
}
