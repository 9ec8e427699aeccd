// The tray's options command.
#include "options/optionscommand.h"

#include "appstate/globals.h"
#include "corelib/restart_request.h"
#include "options/optionsdlg.h"

void RunOptionsCommand(HWND mainWnd, CGlobalHotkey& hotkey)
{
    RunDialogThenRestartRequest(g_core, mainWnd, &COptionsDlg::m_isHistoryCleared,
                                L"已清理历史操作信息！请重新执行程序！", hotkey);
}
