// CStatementBatch: one connection for many statements, committed kGroupSize at a time.
#include "store/batch.h"

#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbstatement.h"

#include <sqlite3.h>

struct CStatementBatch::Impl {
    std::unique_ptr<CDbConnection> connection;  // null when opening failed
    bool stopped = false;
    int pending = 0;
    int committed = 0;

    // Commits the open group. A commit that cannot finish (the lock not granted in time, a full
    // disk) would leave the transaction open: it is rolled back, so the group is lost as a whole.
    bool CommitGroup()
    {
        try {
            connection->ExecuteFixed("COMMIT");
            committed += pending;
            pending = 0;
            return true;
        } catch (const CDbError&) {
            connection->RollbackQuietly();
            pending = 0;
            stopped = true;
            return false;
        }
    }
};

CStatementBatch::CStatementBatch(const CString& connStr) : m_impl(new Impl)
{
    try {
        m_impl->connection.reset(new CDbConnection(connStr));
    } catch (const CDbError&) {
        m_impl->connection.reset();
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
        // The write lock is taken once for the whole group (waiting for another copy's lock).
        if (!connection.InTransaction())
            connection.ExecuteFixed("BEGIN IMMEDIATE");
    } catch (const CDbError&) {
        m_impl->stopped = true;
        return Outcome::StatementFailed;
    }

    sqlite3_set_last_insert_rowid(connection.Handle(), 0);
    try {
        CDbStatement command(connection, statement);
        command.RunToEnd();
    } catch (const CDbError&) {
        m_impl->stopped = true;
        // Most failures undo just the statement; some (a full disk, no memory) undo the group.
        if (!connection.InTransaction() && m_impl->pending > 0) {
            m_impl->pending = 0;
            return Outcome::GroupLost;
        }
        return Outcome::StatementFailed;
    }
    ++m_impl->pending;
    const long long id = sqlite3_last_insert_rowid(connection.Handle());

    if (m_impl->pending >= kGroupSize && !m_impl->CommitGroup())
        return Outcome::GroupLost;
    if (insertedId)
        *insertedId = id;
    return Outcome::Ran;
}

int CStatementBatch::Pending() const
{
    return m_impl->pending;
}

int CStatementBatch::Committed() const
{
    return m_impl->committed;
}

bool CStatementBatch::Finish()
{
    if (!m_impl->connection || !m_impl->connection->InTransaction())
        return true;
    return m_impl->CommitGroup();
}
