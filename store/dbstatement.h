// CDbStatement: one prepared statement of a connection, finalized when the object goes.
#pragma once

#include "base/cstring.h"
#include "store/dbvalue.h"
#include "store/sqlite_handles.h"

class CDbConnection;

class CDbStatement {
public:
    // Prepares a statement text as the engine takes it, in UTF-16. A text holding no statement or
    // more than one is refused: throws CDbError.
    CDbStatement(CDbConnection& connection, const CString& text);
    CDbStatement(const CDbStatement&) = delete;
    CDbStatement& operator=(const CDbStatement&) = delete;

    // Moves to the next row: true when one is ready, false at the end; a failure throws CDbError.
    bool Step();
    // Runs the statement to its end, leaving any rows unread.
    void RunToEnd();

    int ColumnCount() const;
    // The value at a column of the current row; an index out of range throws CDbError.
    CDbValue Column(int index) const;

private:
    CDbConnection& m_connection;
    CSqliteStmtHandle m_stmt;
};
