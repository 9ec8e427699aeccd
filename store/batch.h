// CStatementBatch: one connection for a series of statements, committed in groups.
#pragma once

#include "base/cstring.h"

#include <memory>

class CStatementBatch {
public:
    // Statements per transaction: one disk flush per group, not per statement.
    static constexpr int kGroupSize = 1000;

    enum class Outcome {
        Ran,              // the statement ran (and, if it closed a group, the group is committed)
        StatementFailed,  // this statement failed alone; the others of its group stay pending
        GroupLost,        // the open group was rolled back (a failed commit, or an error that undid it)
        NotConnected,     // the batch has no connection (opening failed) or has stopped
    };

    explicit CStatementBatch(const CString& connStr);
    ~CStatementBatch();  // rolls back what Finish did not commit
    CStatementBatch(const CStatementBatch&) = delete;
    CStatementBatch& operator=(const CStatementBatch&) = delete;

    bool IsConnected() const;

    // Runs the next statement. After any failure the batch stops: later calls give NotConnected.
    // insertedId, when given, receives the id of the row the statement inserted (0 if none).
    Outcome Run(const CString& statement, long long* insertedId = nullptr);

    // Statements run since the last commit (0 right after a group was committed).
    int Pending() const;
    // Statements committed so far.
    int Committed() const;

    // Commits the open group (after a StatementFailed too: what ran before it is kept); true when
    // nothing was left to commit, false when the commit failed (the group is then lost).
    bool Finish();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
