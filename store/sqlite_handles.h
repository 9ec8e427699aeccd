// Owners of the engine's handles: a connection closed and a statement finalized with its owner.
#pragma once

#include "base/unique_handle.h"

struct sqlite3;
struct sqlite3_stmt;

struct CSqliteTraits : CNullHandleTraits<sqlite3*> {
    static void Close(sqlite3* db) noexcept;
};
using CSqliteHandle = CUniqueHandle<CSqliteTraits>;

struct CSqliteStmtTraits : CNullHandleTraits<sqlite3_stmt*> {
    static void Close(sqlite3_stmt* stmt) noexcept;
};
using CSqliteStmtHandle = CUniqueHandle<CSqliteStmtTraits>;
