// CDbSession: single statements on a connection of their own, and the two value conversions.
#include "store/dbsession.h"

#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbstatement.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The shortest decimal form that reads back as the same number (2.5, not 2.50000000000000000).
CString RealToText(double value)
{
    char text[40] = {};
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(text, sizeof(text), "%.*g", precision, value);
        if (std::strtod(text, nullptr) == value)
            break;
    }
    return CString(std::wstring(text, text + std::strlen(text)));
}

bool IsSpace(wchar_t ch)
{
    return ch == L' ' || (ch >= L'\t' && ch <= L'\r');
}

}  // namespace

void CDbSession::SetConnectionString(const CString& connStr)
{
    m_connStr = connStr;
}

bool CDbSession::Execute(const CString& statement)
{
    return ExecuteChangingRows(statement).has_value();
}

std::optional<int> CDbSession::ExecuteChangingRows(const CString& statement)
{
    try {
        CDbConnection connection(m_connStr);
        CDbStatement command(connection, statement);
        command.RunToEnd();
        return connection.ChangedRows();
    } catch (const CDbError& error) {
        // The failure ends here; the table is as it was, and the caller learns only that.
        TraceDroppedError(error);
        return std::nullopt;
    }
}

CString CDbSession::QueryValue(const CString& statement)
{
    CDbConnection connection(m_connStr);
    CDbStatement query(connection, statement);
    if (!query.Step())
        return CString();
    return ValueToText(query.Column(0));
}

CString CDbSession::ValueToText(const CDbValue& value)
{
    switch (value.GetKind()) {
    case CDbValue::Kind::Null:
        return CString();
    case CDbValue::Kind::Integer:
        return CString(std::to_wstring(value.AsInteger()));
    case CDbValue::Kind::Real:
        return RealToText(value.AsReal());
    case CDbValue::Kind::Text:
        return CString(value.AsText());
    }
    return CString();
}

int CDbSession::ValueToInt(const CDbValue& value)
{
    const std::wstring text = ValueToText(value).str();
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-'))
        negative = text[at++] == L'-';
    // Accumulated as a magnitude and held at the bounds of int, as strtol holds at its own.
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - L'0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}
