// Closing the engine's handles.
#include "store/sqlite_handles.h"

#include <sqlite3.h>

void CSqliteTraits::Close(sqlite3* db) noexcept
{
    sqlite3_close(db);
}

void CSqliteStmtTraits::Close(sqlite3_stmt* stmt) noexcept
{
    sqlite3_finalize(stmt);
}
