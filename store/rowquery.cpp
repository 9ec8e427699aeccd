// The row query: one connection, one statement, each row handed over as soon as it is read.
#include "store/rowquery.h"

#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbstatement.h"

#include <sqlite3.h>

const CDbValue& CDbRow::Value(int index) const
{
    if (index < 0 || index >= ColumnCount())
        throw CDbError(SQLITE_RANGE, L"column index out of range");
    return m_values[static_cast<size_t>(index)];
}

RowQueryEnd WalkRowQuery(const CString& connStr, const CString& statement,
                         const std::function<void(const CDbRow&)>& onRow)
{
    try {
        CDbConnection connection(connStr);
        CDbStatement query(connection, statement);
        while (query.Step())
            onRow(CDbRow(query.Row()));
        return RowQueryEnd::AllRead;
    } catch (const CDbError& error) {
        // Dropped here: the rows handed over so far stay with the caller, who learns only that
        // the walk did not reach the end, and whether another program's lock stopped it.
        TraceDroppedError(error);
        return error.IsBusy() ? RowQueryEnd::Busy : RowQueryEnd::Failed;
    }
}

bool RunRowQuery(const CString& connStr, const CString& statement,
                 const std::function<void(const CDbRow&)>& onRow)
{
    return WalkRowQuery(connStr, statement, onRow) == RowQueryEnd::AllRead;
}

RowQueryEnd WalkIntegerQuery(const CString& connStr, const CString& statement,
                             const std::function<void(long long)>& onValue)
{
    try {
        CDbConnection connection(connStr);
        CDbStatement query(connection, statement);
        while (query.Step())
            onValue(query.Column(0).AsInteger());
        return RowQueryEnd::AllRead;
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        return error.IsBusy() ? RowQueryEnd::Busy : RowQueryEnd::Failed;
    }
}

bool RunIntegerQuery(const CString& connStr, const CString& statement,
                     const std::function<void(long long)>& onValue)
{
    return WalkIntegerQuery(connStr, statement, onValue) == RowQueryEnd::AllRead;
}
