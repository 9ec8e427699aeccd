// CDbStatement: one prepared statement of a connection, finalized when the object goes.
#pragma once

#include "base/cstring.h"
#include "store/dbvalue.h"
#include "store/sqlite_handles.h"

#include <string>
#include <string_view>
#include <vector>

class CDbConnection;

class CDbStatement {
public:
    // Prepares a statement text as the engine takes it, in UTF-16. A text holding no statement or
    // more than one is refused: throws CDbError.
    CDbStatement(CDbConnection& connection, const CString& text);
    CDbStatement(const CDbStatement&) = delete;
    CDbStatement& operator=(const CDbStatement&) = delete;

    // Puts values into the parameters ?1, ?2 ... in order, the statement made ready to run again
    // first. Texts go in as UTF-8, a half of a surrogate pair made U+FFFD (all the engine could
    // store of it). A failure throws CDbError.
    void Bind(const std::vector<CDbValue>& values);

    // Moves to the next row: true when one is ready, false at the end; a failure throws CDbError.
    bool Step();
    // Runs the statement to its end, leaving any rows unread.
    void RunToEnd();

    int ColumnCount() const;
    // The value at a column of the current row; an index out of range throws CDbError.
    CDbValue Column(int index) const;
    // Every column's value of the current row, in the statement's order.
    std::vector<CDbValue> Row() const;
    // The value at a column of the current row as the engine's UTF-8 text: null gives "", a number
    // its digits. For rows written out as bytes with no turn through UTF-16; valid until the next
    // Step. An index out of range throws CDbError.
    std::string_view ColumnUtf8(int index) const;
    // The value at a column of the current row when it is text (or null, as ""), in UTF-16, without
    // a copy: valid until the next Step. False for a number, which Column gives.
    bool ColumnText16(int index, std::wstring_view* text) const;

private:
    CDbConnection& m_connection;
    CSqliteStmtHandle m_stmt;
    std::vector<std::string> m_boundTexts;  // the texts bound, in UTF-8, kept until the next Bind
};
