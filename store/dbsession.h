// CDbSession: runs single statements over a fresh connection each, and converts field values.
#pragma once

#include "base/cstring.h"
#include "store/dbvalue.h"

#include <optional>
#include <string>

class CDbSession {
public:
    CDbSession() = default;
    virtual ~CDbSession() = default;
    CDbSession(const CDbSession&) = delete;
    CDbSession& operator=(const CDbSession&) = delete;

    void SetConnectionString(const CString& connStr);

    // Runs a statement that returns no rows: true when it ran to its end and took effect. A
    // failure (connecting included: a read-only file, a lock not granted in time) is caught here,
    // leaves the table unchanged and gives false.
    bool Execute(const CString& statement);
    // Execute, also telling how many rows the statement changed: a statement that ran but
    // matched no row (its row deleted meanwhile by another program) gives 0. Nothing when it did
    // not run.
    std::optional<int> ExecuteChangingRows(const CString& statement);

    // The first column of the first row as text; "" when the query returns no row.
    // Throws CDbError when it cannot connect or run the query.
    CString QueryValue(const CString& statement);

    // Null gives "", text as stored, numbers give their digits.
    CString ValueToText(const CDbValue& value);
    // ValueToText, then its leading decimal number ("12abc" gives 12, "abc" gives 0).
    int ValueToInt(const CDbValue& value);

private:
    CString m_connStr;
};
