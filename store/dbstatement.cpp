// Preparing, stepping and reading statements; only single statements get through.
#include "store/dbstatement.h"

#include "store/dbconnection.h"
#include "store/dberror.h"

#include <sqlite3.h>

CDbStatement::CDbStatement(CDbConnection& connection, const CString& text) : m_connection(connection)
{
    const wchar_t* next = text.GetString();
    const wchar_t* const end = next + text.GetLength();
    // Walk the whole text: blanks and comments may surround the statement, nothing else may.
    while (next < end) {
        CSqliteStmtHandle found;
        const void* tail = nullptr;
        int bytes = static_cast<int>((end - next) * sizeof(wchar_t));
        if (sqlite3_prepare16_v2(m_connection.Handle(), next, bytes, found.Put(), &tail) != SQLITE_OK)
            throw m_connection.LastError();
        if (found && m_stmt)
            throw CDbError(SQLITE_ERROR, L"the statement text holds more than one statement");
        if (found)
            m_stmt = std::move(found);
        const wchar_t* after = static_cast<const wchar_t*>(tail);
        if (!after || after <= next)
            break;
        next = after;
    }
    if (!m_stmt)
        throw CDbError(SQLITE_ERROR, L"the statement text holds no statement");
}

bool CDbStatement::Step()
{
    int rc = sqlite3_step(m_stmt.Get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw m_connection.LastError();
}

void CDbStatement::RunToEnd()
{
    while (Step()) {
    }
}

int CDbStatement::ColumnCount() const
{
    return sqlite3_column_count(m_stmt.Get());
}

CDbValue CDbStatement::Column(int index) const
{
    if (index < 0 || index >= sqlite3_data_count(m_stmt.Get()))
        throw CDbError(SQLITE_RANGE, L"column index out of range");
    switch (sqlite3_column_type(m_stmt.Get(), index)) {
    case SQLITE_NULL:
        return CDbValue();
    case SQLITE_INTEGER:
        return CDbValue::Integer(sqlite3_column_int64(m_stmt.Get(), index));
    case SQLITE_FLOAT:
        return CDbValue::Real(sqlite3_column_double(m_stmt.Get(), index));
    default: {
        // Text (and a blob, read as text): UTF-16 from the engine, converted only by ValueToText.
        const void* text = sqlite3_column_text16(m_stmt.Get(), index);
        int bytes = sqlite3_column_bytes16(m_stmt.Get(), index);
        if (!text) {
            if (sqlite3_errcode(m_connection.Handle()) == SQLITE_NOMEM)
                throw CDbError(SQLITE_NOMEM, L"out of memory reading a value");
            return CDbValue::Text(std::wstring());  // an empty blob has no text pointer
        }
        return CDbValue::Text(std::wstring(static_cast<const wchar_t*>(text), bytes / sizeof(wchar_t)));
    }
    }
}
