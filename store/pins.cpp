// T_PIN's schema and statements.
#include "store/pins.h"

#include "store/batch.h"
#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbstatement.h"
#include "store/schemaobjects.h"
#include "store/statements.h"

#include <algorithm>

void AddPinTable(CDbConnection& connection)
{
    // Looked at first: a file that has both is not written to (it may be read-only).
    if (CountSchemaObjects(connection, L"'T_PIN','T_PIN_ITEM_DELETED'") < 2) {
        for (const CString& statement : StmtsCreatePinTable())
            CDbStatement(connection, statement).RunToEnd();
    }
}

bool AddPinTable(const CString& connStr)
{
    try {
        CDbConnection connection(connStr);
        AddPinTable(connection);
        return true;
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        return false;
    }
}

void SetItemsPinned(const CString& connStr, const std::vector<int>& ids, bool pinned)
{
    CStatementBatch batch(connStr);
    bool ran = true;
    for (const CString& create : StmtsCreatePinTable())
        ran = ran && batch.Run(create) == CStatementBatch::Outcome::Ran;
    for (auto id = ids.begin(); ran && id != ids.end(); ++id)
        ran = batch.Run(pinned ? StmtPinItem(*id) : StmtUnpinItem(*id)) == CStatementBatch::Outcome::Ran;
    if (!ran || !batch.Finish())
        throw CDbError(batch.FailureCode(), L"the pins were not saved");
}

bool HasPinTable(CDbConnection& connection)
{
    return CountSchemaObjects(connection, kPinTableName) > 0;
}

std::vector<CString> StmtsCreatePinTable()
{
    // pinned_at is the pin's place in the order pins were given, a counter rather than a clock:
    // two pins within a second, or a clock set back, keep the order they were given in.
    return {L"CREATE TABLE IF NOT EXISTS T_PIN(id INTEGER PRIMARY KEY, pinned_at INTEGER NOT NULL)",
            L"CREATE TRIGGER IF NOT EXISTS T_PIN_ITEM_DELETED AFTER DELETE ON T_ITEM "
            L"BEGIN DELETE FROM T_PIN WHERE id=old.id; END"};
}

CString StmtSelectPinnedRows()
{
    CString text;
    text.Format(L"SELECT T_ITEM.id,substr(title,1,%d),substr(data1,1,%d) FROM T_PIN JOIN T_ITEM "
                L"ON T_ITEM.id=T_PIN.id ORDER BY T_PIN.pinned_at,T_PIN.id",
                kHotListTextChars, kHotListTextChars);
    return text;
}

std::vector<long long> ReadPinnedIds(CDbConnection& connection)
{
    std::vector<long long> ids;
    if (!HasPinTable(connection))
        return ids;
    CDbStatement query(connection, StmtSelectPinnedIds());
    while (query.Step())
        ids.push_back(query.Column(0).AsInteger());
    std::sort(ids.begin(), ids.end());
    return ids;
}

CString StmtSelectPinnedIds()
{
    return L"SELECT id FROM T_PIN";
}

CString StmtPinItem(int id)
{
    CString text;
    text.Format(L"INSERT OR IGNORE INTO T_PIN(id,pinned_at) SELECT id,"
                L"(SELECT coalesce(max(pinned_at),0)+1 FROM T_PIN) FROM T_ITEM WHERE id=%d",
                id);
    return text;
}

CString StmtUnpinItem(int id)
{
    CString text;
    text.Format(L"DELETE FROM T_PIN WHERE id=%d", id);
    return text;
}

CString StmtSelectPinsIn(const CString& idList)
{
    return L"SELECT id,pinned_at FROM T_PIN WHERE id IN (" + idList + L")";
}

CString StmtRestorePin()
{
    return L"INSERT OR IGNORE INTO T_PIN(id,pinned_at) VALUES(?1,?2)";
}
