// The item database behind a connection string (whose text the base layer reads and writes).
#pragma once

#include "base/connstr.h"

// True when the file opens as an SQLite database that holds T_ITEM. Never changes the file.
bool IsItemDatabase(const CString& connStr);
