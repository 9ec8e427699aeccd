// The row query: walks a query's rows over a connection of its own.
#pragma once

#include "base/cstring.h"
#include "store/dbvalue.h"

#include <functional>
#include <vector>

class CDbRow {
public:
    explicit CDbRow(std::vector<CDbValue> values) : m_values(std::move(values)) {}
    int ColumnCount() const { return static_cast<int>(m_values.size()); }
    // The value at a column index (0, 1, 2 ... in the statement's column order).
    const CDbValue& Value(int index) const;

private:
    std::vector<CDbValue> m_values;
};

// How a walk of a query's rows ended.
enum class RowQueryEnd {
    AllRead,  // every row was handed over
    Busy,     // another program's lock was not granted in time: worth trying again
    Failed,   // any other failure: the file gone, damaged or not ours
};

// Hands each row to onRow right after it is read, in the statement's order. Any failure
// (connecting, running, reading, or a CDbError thrown by onRow) ends the walk quietly:
// rows handed over before it stay with the caller, and the connection is closed.
// The query holds a read lock until it ends: onRow must not write to the database.
RowQueryEnd WalkRowQuery(const CString& connStr, const CString& statement,
                         const std::function<void(const CDbRow&)>& onRow);
// WalkRowQuery for a caller to whom every failure is the same: true when every row was read.
bool RunRowQuery(const CString& connStr, const CString& statement,
                 const std::function<void(const CDbRow&)>& onRow);

// The same walk for a query of one integer column (ids), without a row object per value: a
// list of a million ids is read in a fraction of a second.
RowQueryEnd WalkIntegerQuery(const CString& connStr, const CString& statement,
                             const std::function<void(long long)>& onValue);
// WalkIntegerQuery for a caller to whom every failure is the same: true when every row was read.
bool RunIntegerQuery(const CString& connStr, const CString& statement,
                     const std::function<void(long long)>& onValue);
