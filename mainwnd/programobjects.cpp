// CProgramObjects: making and releasing the process-wide state.
#include "mainwnd/programobjects.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "mainwnd/softdescriptor.h"
#include "store/dbsession.h"

#include <objbase.h>

CProgramObjects::~CProgramObjects()
{
    Release();
}

void CProgramObjects::MakeCore()
{
    g_core = new CCore();
    g_soft = new tagSoft;
    FillSoftDescriptor(*g_soft);
    g_core->autoFileConfig();
    g_appPath = g_core->getAppPath();
    g_isAutoMin = g_core->getConfigB(kAutoMinKey);
}

void CProgramObjects::OpenDatabase(const CString& dbPath)
{
    m_bComInitialized = SUCCEEDED(::CoInitialize(nullptr));
    g_connStr = g_core->getDbConnStrMdb(dbPath);
    g_db = new CDbSession();
    g_db->SetConnectionString(g_connStr);
}

void CProgramObjects::Release()
{
    delete g_db;
    g_db = nullptr;
    if (m_bComInitialized) {
        ::CoUninitialize();
        m_bComInitialized = false;
    }
    delete g_core;
    g_core = nullptr;
    delete g_soft;
    g_soft = nullptr;
}
