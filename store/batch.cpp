// CStatementBatch: one connection, one transaction, committed whole by Finish.
#include "store/batch.h"

#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbstatement.h"
#include "store/rowquery.h"

#include <sqlite3.h>

#include <map>

struct CStatementBatch::Impl {
    std::unique_ptr<CDbConnection> connection;  // null when opening failed
    // The statements with parameters, by their text; finalized before the connection closes.
    std::map<std::wstring, std::unique_ptr<CDbStatement>> prepared;
    bool stopped = false;
    int pending = 0;
    int failureCode = 0;

    // Undoes everything run so far and stops the batch.
    void Stop(const CDbError& error)
    {
        prepared.clear();
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
    return Run(statement, {}, insertedId);
}

CStatementBatch::Outcome CStatementBatch::Run(const CString& statement, const std::vector<CDbValue>& values,
                                              long long* insertedId)
{
    if (insertedId)
        *insertedId = 0;
    Outcome outcome = Within(statement, values, [&](CDbStatement& command) {
        sqlite3_set_last_insert_rowid(m_impl->connection->Handle(), 0);
        command.RunToEnd();
    });
    if (outcome != Outcome::Ran)
        return outcome;
    ++m_impl->pending;
    if (insertedId)
        *insertedId = sqlite3_last_insert_rowid(m_impl->connection->Handle());
    return Outcome::Ran;
}

CStatementBatch::Outcome CStatementBatch::Query(const CString& statement, const std::vector<CDbValue>& values,
                                                const std::function<void(const CDbRow&)>& onRow)
{
    return Within(statement, values, [&](CDbStatement& query) {
        while (query.Step())
            onRow(CDbRow(query.Row()));
    });
}

CStatementBatch::Outcome CStatementBatch::Within(const CString& statement,
                                                 const std::vector<CDbValue>& values,
                                                 const std::function<void(CDbStatement&)>& work)
{
    if (!IsConnected())
        return Outcome::NotConnected;
    CDbConnection& connection = *m_impl->connection;
    try {
        // The write lock is taken once, up front (waiting for another copy's lock), so that the
        // batch cannot fail halfway for want of it.
        if (!connection.InTransaction())
            connection.ExecuteFixed("BEGIN IMMEDIATE");
        if (values.empty()) {
            CDbStatement command(connection, statement);
            work(command);
        } else {
            std::unique_ptr<CDbStatement>& command = m_impl->prepared[statement.str()];
            if (!command)
                command = std::make_unique<CDbStatement>(connection, statement);
            command->Bind(values);
            work(*command);
        }
    } catch (const CDbError& error) {
        // A half batch could not be told from a whole one: what ran before goes too.
        m_impl->Stop(error);
        return Outcome::Failed;
    }
    return Outcome::Ran;
}

int CStatementBatch::Pending() const
{
    return m_impl->pending;
}

bool CStatementBatch::Finish()
{
    // A batch that never connected landed nothing, even when nothing was asked of it.
    if (m_impl->stopped || !m_impl->connection)
        return false;
    if (!m_impl->connection->InTransaction())
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
