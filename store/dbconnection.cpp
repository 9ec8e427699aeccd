// Opening and closing the item database; the engine's failures turned into CDbError.
#include "store/dbconnection.h"

#include "base/text_codec.h"
#include "store/connstr.h"
#include "store/dberror.h"

#include <sqlite3.h>

namespace {

CString EngineMessage(sqlite3* db)
{
    const void* message = sqlite3_errmsg16(db);
    return message ? CString(static_cast<const wchar_t*>(message)) : CString(L"out of memory");
}

}  // namespace

CDbConnection::CDbConnection(const CString& connStr, Access access)
{
    CConnectionSettings settings;
    if (!ParseConnectionString(connStr, &settings))
        throw CDbError(SQLITE_MISUSE, L"the connection string names no database file");
    std::string path = WideToUtf8(settings.path, ThrowAsDbError);
    // Neither SQLITE_OPEN_CREATE nor a URI name: the delivered file is opened, never made.
    int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(path.c_str(), m_db.Put(), flags, nullptr);
    if (rc != SQLITE_OK)
        throw m_db ? LastError() : CDbError(rc, L"out of memory");  // the owner closes the handle
    sqlite3_extended_result_codes(Handle(), 1);
    // Another running copy may hold the lock for a moment: wait for it rather than lose a write.
    sqlite3_busy_timeout(Handle(), settings.busyTimeoutMs);
}

void CDbConnection::ExecuteFixed(const char* sql)
{
    if (sqlite3_exec(Handle(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw LastError();
}

void CDbConnection::RollbackQuietly() noexcept
{
    if (InTransaction())
        sqlite3_exec(Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool CDbConnection::InTransaction() const
{
    return sqlite3_get_autocommit(Handle()) == 0;
}

void CDbConnection::Interrupt() noexcept
{
    sqlite3_interrupt(Handle());
}

int CDbConnection::ChangedRows() const
{
    return sqlite3_changes(Handle());
}

CDbError CDbConnection::LastError() const
{
    return CDbError(sqlite3_extended_errcode(Handle()), EngineMessage(Handle()));
}
