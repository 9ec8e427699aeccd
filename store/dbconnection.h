// CDbConnection: one open connection to the item database, closed when the object goes.
#pragma once

#include "base/cstring.h"
#include "store/dberror.h"
#include "store/sqlite_handles.h"

class CDbConnection {
public:
    enum class Access { ReadWrite, ReadOnly };

    // Opens the file that the connection string names. The file is never created: a missing or
    // unreadable file, like a malformed connection string, throws CDbError.
    explicit CDbConnection(const CString& connStr, Access access = Access::ReadWrite);
    CDbConnection(const CDbConnection&) = delete;
    CDbConnection& operator=(const CDbConnection&) = delete;

    sqlite3* Handle() const { return m_db.Get(); }

    // Runs one of the store's own fixed statements (BEGIN, COMMIT); a failure throws CDbError.
    void ExecuteFixed(const char* sql);
    // Undoes an open transaction, if any; used on the way out, so it never throws.
    void RollbackQuietly() noexcept;
    bool InTransaction() const;
    // The rows the latest finished insert, update or delete changed (not those of its triggers).
    int ChangedRows() const;

    // Makes the statement running on this connection stop at its next check and fail; may be
    // called from another thread while it runs.
    void Interrupt() noexcept;

    // The connection's latest failure: the engine's code and message.
    CDbError LastError() const;

private:
    CSqliteHandle m_db;
};
