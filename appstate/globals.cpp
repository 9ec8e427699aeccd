// The process-wide state.
#include "appstate/globals.h"

CCore* g_core = nullptr;
tagSoft* g_soft = nullptr;
CString g_appPath;
int g_isAutoMin = 0;
CString g_connStr;
CDbSession* g_db = nullptr;
