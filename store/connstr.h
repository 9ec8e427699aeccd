// The item database behind a connection string (whose text the base layer reads and writes).
#pragma once

#include "base/connstr.h"

enum class ItemDatabaseCheck {
    Ours,     // an SQLite database that holds T_ITEM with the item columns
    Busy,     // another program's lock kept its schema from being read in time: ours or not, unknown yet
    NotOurs,  // anything else: missing, not SQLite, damaged, another program's tables
};
// Looks at the file read-only; never changes it.
ItemDatabaseCheck CheckItemDatabase(const CString& connStr);
