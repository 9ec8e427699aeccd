// CProgramObjects: the owner of the process-wide objects the main window sets up (the core object,
// the software descriptor, the settings, COM, the connection string and the database session). Its
// destructor is the teardown: the session goes before COM, and the core object outlives both.
#pragma once

#include "base/cstring.h"

class CProgramObjects {
public:
    CProgramObjects() = default;
    ~CProgramObjects();
    CProgramObjects(const CProgramObjects&) = delete;
    CProgramObjects& operator=(const CProgramObjects&) = delete;

    // The core object, the descriptor and the settings; g_appPath and g_isAutoMin read. Throws
    // std::bad_alloc; what was made is released by the destructor all the same.
    void MakeCore();
    // COM, the connection string and the session for the database at dbPath. Throws std::bad_alloc.
    void OpenDatabase(const CString& dbPath);
    // Releases everything now (the window's end); the destructor then has nothing left to do.
    void Release();

private:
    // CoUninitialize only balances a CoInitialize that took effect.
    bool m_bComInitialized = false;
};
