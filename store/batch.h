// CStatementBatch: one connection and one transaction for a series of statements.
#pragma once

#include "base/cstring.h"

#include <memory>

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

    // Statements run so far in the open transaction.
    int Pending() const;

    // Commits every statement run; true when it did (or nothing was run), false when the commit
    // failed or a failure had stopped the batch: nothing of it landed then.
    bool Finish();

    // The engine's result code of the failure that stopped the batch (0 while none did).
    int FailureCode() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
