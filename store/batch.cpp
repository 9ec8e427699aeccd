// CStatementBatch: one connection, one transaction, committed whole by Finish.
#include "store/batch.h"

#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbstatement.h"

#include <sqlite3.h>

struct CStatementBatch::Impl {
    std::unique_ptr<CDbConnection> connection;  // null when opening failed
    bool stopped = false;
    int pending = 0;
    int failureCode = 0;

    // Undoes everything run so far and stops the batch.
    void Stop(const CDbError& error)
    {
        connection->RollbackQuietly();
        pending = 0;
        stopped = true;
        failureCode = error.Code();
    }
};

CStatementBatch::CStatementBatch(const CString& connStr) : m_impl(new Impl)
{
    try {
        m_impl->connection.reset(new CDbConnection(connStr));
    } catch (const CDbError& error) {
        m_impl->connection.reset();
        m_impl->failureCode = error.Code();
    }
}

CStatementBatch::~CStatementBatch()
{
    if (m_impl->connection)
        m_impl->connection->RollbackQuietly();
}

bool CStatementBatch::IsConnected() const
{
    return m_impl->connection && !m_impl->stopped;
}

CStatementBatch::Outcome CStatementBatch::Run(const CString& statement, long long* insertedId)
{
    if (insertedId)
        *insertedId = 0;
    if (!IsConnected())
        return Outcome::NotConnected;
    CDbConnection& connection = *m_impl->connection;
    try {
        // The write lock is taken once, up front (waiting for another copy's lock), so that the
        // batch cannot fail halfway for want of it.
        if (!connection.InTransaction())
            connection.ExecuteFixed("BEGIN IMMEDIATE");
        sqlite3_set_last_insert_rowid(connection.Handle(), 0);
        CDbStatement command(connection, statement);
        command.RunToEnd();
    } catch (const CDbError& error) {
        // A half batch could not be told from a whole one: what ran before goes too.
        m_impl->Stop(error);
        return Outcome::Failed;
    }
    ++m_impl->pending;
    if (insertedId)
        *insertedId = sqlite3_last_insert_rowid(connection.Handle());
    return Outcome::Ran;
}

int CStatementBatch::Pending() const
{
    return m_impl->pending;
}

bool CStatementBatch::Finish()
{
    if (m_impl->stopped)
        return false;
    if (!m_impl->connection || !m_impl->connection->InTransaction())
        return true;
    try {
        m_impl->connection->ExecuteFixed("COMMIT");
        m_impl->pending = 0;
        return true;
    } catch (const CDbError& error) {
        // A commit that cannot finish (the lock not granted in time, a full disk) would leave
        // the transaction open.
        m_impl->Stop(error);
        return false;
    }
}

int CStatementBatch::FailureCode() const
{
    return m_impl->failureCode;
}
