// The tray's items command.
#include "items/itemscommand.h"

#include "items/itemsdlg.h"

bool RunItemsCommand(HWND)
{
    CItemsDlg dialog;
    dialog.DoModal();
    return dialog.m_isDataChanged;
}
