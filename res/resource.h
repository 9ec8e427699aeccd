// Resource and control ids of Mirelo's dialogs, menu and icons.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Main window
#define IDD_MAIN 102
#define IDC_HOTLIST 1002
#define IDC_STATUS 1028
#define IDC_SEARCH 1040
#define IDI_MAIN 128
#define IDI_TRAY 134

// Menu 129: pop-up 0 is the tray menu, pop-up 1 the items list's menu
#define IDR_MENU 129
#define ID_TRAY_ITEMS 32771
#define ID_TRAY_ABOUT 32772
#define ID_TRAY_OPTIONS 32773
#define ID_TRAY_EXIT 32774
#define ID_LIST_SELECTALL 32776
#define ID_LIST_SELECTNONE 32777
#define ID_LIST_PIN 356
#define ID_LIST_UNPIN 357

// Menu 350: a hot-list row's own menu
#define IDR_ROWMENU 350
#define ID_ROW_COPY 351
#define ID_ROW_EDIT 352
#define ID_ROW_PIN 353
#define ID_ROW_UNPIN 354
#define ID_ROW_DELETE 355

// Options dialog
#define IDD_OPTIONS 131
#define IDC_AUTOMIN 1012
#define IDC_OPTIONS_OK 1014
#define IDC_OPTIONS_CANCEL 1015
#define IDC_CLEARHISTORY 1027
#define IDC_HOTKEY 1041
#define IDC_HOTKEY_CLEAR 1042
#define IDC_PASTEBACK 1043
#define IDC_AUTOSTART 1044
#define IDC_TEAMFILE_LABEL 400
#define IDC_TEAMFILE 401
#define IDC_TEAMFILE_BROWSE 402
#define IDC_TEAMFILE_CLEAR 403

// Items dialog
#define IDD_ITEMS 136
#define IDC_ITEMLIST 1022
#define IDC_IMPORT 1023
#define IDC_DELETECHECKED 1024
#define IDC_NEWITEM 1026
#define IDC_EXPORT 1029
#define IDC_ITEMS_TIP 1050
#define IDC_ITEMS_BUSY 1051
#define IDC_UNDO_TEXT 1052
#define IDC_UNDO 1053

// Import progress
#define IDD_IMPORTPROGRESS 138
#define IDC_IMPORT_PROGRESSTEXT 1030
#define IDC_IMPORT_PROGRESSBAR 1031

// Item edit dialog
#define IDD_ITEMEDIT 137
#define IDC_EDIT_TITLE 1024
#define IDC_EDIT_DATA1 1025
#define IDC_EDIT_NOTE 1054
