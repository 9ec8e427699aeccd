// CStatementBatch: one connection and one transaction for a series of statements.
#pragma once

#include "base/cstring.h"
#include "store/dbvalue.h"

#include <functional>
#include <memory>
#include <vector>

class CDbRow;
class CDbStatement;

// Everything the batch ran lands when Finish commits it, or nothing does: a failure, a batch
// destroyed before Finish, or a process killed meanwhile leaves the table as it was.
class CStatementBatch {
public:
    enum class Outcome {
        Ran,           // the statement ran inside the open transaction
        Failed,        // the statement failed: the batch is undone and stopped
        NotConnected,  // the batch has no connection (opening failed) or has stopped
    };

    explicit CStatementBatch(const CString& connStr);
    ~CStatementBatch();  // rolls back what Finish did not commit
    CStatementBatch(const CStatementBatch&) = delete;
    CStatementBatch& operator=(const CStatementBatch&) = delete;

    bool IsConnected() const;

    // Runs the next statement. After any failure the batch stops: later calls give NotConnected.
    // insertedId, when given, receives the id of the row the statement inserted (0 if none).
    Outcome Run(const CString& statement, long long* insertedId = nullptr);
    // The same with values put into the statement's parameters (?1, ?2 ...). A statement with
    // parameters is prepared once for the batch's life: a series of inserts costs one preparation.
    Outcome Run(const CString& statement, const std::vector<CDbValue>& values,
                long long* insertedId = nullptr);
    // Reads a query's rows inside the batch's transaction, so that they include what it ran, and
    // hands each to onRow. A failure stops the batch as a failing Run does.
    Outcome Query(const CString& statement, const std::vector<CDbValue>& values,
                  const std::function<void(const CDbRow&)>& onRow);

    // Statements run so far in the open transaction.
    int Pending() const;

    // Commits every statement run; true when it did (or nothing was run), false when the commit
    // failed, a failure had stopped the batch or its connection never opened: nothing of it
    // landed then.
    bool Finish();

    // The engine's result code of the failure that stopped the batch (0 while none did).
    int FailureCode() const;

private:
    // Begins the transaction if need be and lets work run the statement; a failure stops the batch.
    Outcome Within(const CString& statement, const std::vector<CDbValue>& values,
                   const std::function<void(CDbStatement&)>& work);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
