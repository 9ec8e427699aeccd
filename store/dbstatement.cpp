// Preparing, stepping and reading statements; only single statements get through.
#include "store/dbstatement.h"

#include "base/text_codec.h"
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

void CDbStatement::Bind(const std::vector<CDbValue>& values)
{
    // Every parameter is bound again below: nothing of the last values stays.
    sqlite3_reset(m_stmt.Get());
    if (static_cast<int>(values.size()) != sqlite3_bind_parameter_count(m_stmt.Get()))
        throw CDbError(SQLITE_RANGE, L"the values do not match the statement's parameters");
    m_boundTexts.resize(values.size());
    for (int index = 1; index <= static_cast<int>(values.size()); ++index) {
        const CDbValue& value = values[static_cast<size_t>(index - 1)];
        int rc = SQLITE_OK;
        switch (value.GetKind()) {
        case CDbValue::Kind::Null:
            rc = sqlite3_bind_null(m_stmt.Get(), index);
            break;
        case CDbValue::Kind::Integer:
            rc = sqlite3_bind_int64(m_stmt.Get(), index, value.AsInteger());
            break;
        case CDbValue::Kind::Real:
            rc = sqlite3_bind_double(m_stmt.Get(), index, value.AsReal());
            break;
        case CDbValue::Kind::Text: {
            // The conversion turns a lone surrogate into U+FFFD, which UTF-16 handed to the
            // engine would have read together with the unit after it.
            std::string& text = m_boundTexts[static_cast<size_t>(index - 1)];
            WideToUtf8(value.AsText(), text, ThrowAsDbError);
            rc = sqlite3_bind_text(m_stmt.Get(), index, text.data(), static_cast<int>(text.size()),
                                   SQLITE_STATIC);
            break;
        }
        }
        if (rc != SQLITE_OK)
            throw m_connection.LastError();
    }
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

std::vector<CDbValue> CDbStatement::Row() const
{
    std::vector<CDbValue> values;
    values.reserve(static_cast<size_t>(ColumnCount()));
    for (int column = 0; column < ColumnCount(); ++column)
        values.push_back(Column(column));
    return values;
}

std::string_view CDbStatement::ColumnUtf8(int index) const
{
    if (index < 0 || index >= sqlite3_data_count(m_stmt.Get()))
        throw CDbError(SQLITE_RANGE, L"column index out of range");
    const unsigned char* text = sqlite3_column_text(m_stmt.Get(), index);
    const int bytes = sqlite3_column_bytes(m_stmt.Get(), index);
    if (!text) {
        if (sqlite3_errcode(m_connection.Handle()) == SQLITE_NOMEM)
            throw CDbError(SQLITE_NOMEM, L"out of memory reading a value");
        return std::string_view();
    }
    return std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes));
}

bool CDbStatement::ColumnText16(int index, std::wstring_view* text) const
{
    if (index < 0 || index >= sqlite3_data_count(m_stmt.Get()))
        throw CDbError(SQLITE_RANGE, L"column index out of range");
    const int type = sqlite3_column_type(m_stmt.Get(), index);
    if (type == SQLITE_NULL) {
        *text = std::wstring_view();
        return true;
    }
    if (type != SQLITE_TEXT)
        return false;
    const void* units = sqlite3_column_text16(m_stmt.Get(), index);
    if (!units)
        throw CDbError(SQLITE_NOMEM, L"out of memory reading a value");
    const int bytes = sqlite3_column_bytes16(m_stmt.Get(), index);
    *text = std::wstring_view(static_cast<const wchar_t*>(units), static_cast<size_t>(bytes) / sizeof(wchar_t));
    return true;
}
