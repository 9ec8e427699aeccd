// Whether a file is an item database, looked at read-only.
#include "store/connstr.h"

#include "store/dbconnection.h"
#include "store/dbstatement.h"

ItemDatabaseCheck CheckItemDatabase(const CString& connStr)
{
    try {
        CDbConnection connection(connStr, CDbConnection::Access::ReadOnly);
        // Preparing reads the schema: it fails for a damaged or foreign file and for a T_ITEM
        // without the item columns. Nothing is run, nothing written.
        CDbStatement probe(connection, L"SELECT id,title,data1,clicktimes,lasttime FROM T_ITEM");
        return probe.ColumnCount() == 5 ? ItemDatabaseCheck::Ours : ItemDatabaseCheck::NotOurs;
    } catch (const CDbError& error) {
        return error.IsBusy() ? ItemDatabaseCheck::Busy : ItemDatabaseCheck::NotOurs;
    }
}
