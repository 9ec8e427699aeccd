// The tray's options command.
#include "options/optionscommand.h"

#include "options/optionsdlg.h"

bool RunOptionsCommand(HWND, CGlobalHotkey& hotkey)
{
    COptionsDlg dialog(hotkey);
    dialog.DoModal();
    return dialog.m_isHistoryCleared;
}
