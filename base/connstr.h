// The connection string: where the item database is and how long to wait for its lock.
#pragma once

#include "base/cstring.h"

#include <string>

struct CConnectionSettings {
    std::wstring path;      // the database file
    int busyTimeoutMs = 0;  // how long a statement waits for another program's lock
};

// "Data Source=\"<path>\";Busy Timeout=<ms>" with the path quoted (quotes inside doubled).
CString BuildConnectionString(const CString& path, int busyTimeoutMs = 5000);
// False when the text is not such a string.
bool ParseConnectionString(const CString& connStr, CConnectionSettings* settings);
// The same database with another wait for locks; a text that is no such string comes back as it is.
CString WithBusyTimeout(const CString& connStr, int busyTimeoutMs);
