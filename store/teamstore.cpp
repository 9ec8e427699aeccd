// The team tables: made when the first version is kept, replaced a version at a time.
#include "store/teamstore.h"

#include "store/batch.h"
#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbstatement.h"
#include "store/rowquery.h"
#include "store/schemaobjects.h"
#include "store/statements.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

// A team item carries the user's clicks on it, so that the hot list reads them with no join; each
// click is also kept by the item's texts in T_TEAM_CLICK, from which an item of a later version
// of the file takes them.
const wchar_t* const kCreateTeamTables[] = {
    L"CREATE TABLE IF NOT EXISTS T_TEAM_ITEM(id INTEGER PRIMARY KEY AUTOINCREMENT, title TEXT NOT NULL,"
    L" data1 TEXT NOT NULL, clicktimes INTEGER NOT NULL DEFAULT 0, lasttime DATETIME, UNIQUE(title,data1))",
    L"CREATE TABLE IF NOT EXISTS T_TEAM_CLICK(title TEXT NOT NULL, data1 TEXT NOT NULL,"
    L" clicktimes INTEGER NOT NULL DEFAULT 0, lasttime DATETIME, PRIMARY KEY(title,data1))",
    L"CREATE TABLE IF NOT EXISTS T_TEAM_SOURCE(id INTEGER PRIMARY KEY CHECK(id=1), path TEXT NOT NULL,"
    L" digest TEXT NOT NULL, readtime TEXT NOT NULL)",
    L"CREATE TRIGGER IF NOT EXISTS T_TEAM_ITEM_CLICKED AFTER UPDATE OF clicktimes,lasttime ON T_TEAM_ITEM"
    L" BEGIN INSERT INTO T_TEAM_CLICK(title,data1,clicktimes,lasttime)"
    L" VALUES(new.title,new.data1,new.clicktimes,new.lasttime)"
    L" ON CONFLICT(title,data1) DO UPDATE SET clicktimes=excluded.clicktimes,lasttime=excluded.lasttime; END",
};

// One text for a label and a content, which tells every pair from every other.
std::wstring TextsKey(const std::wstring& title, const std::wstring& data1)
{
    return std::to_wstring(title.size()) + L':' + title + data1;
}

bool Ran(CStatementBatch::Outcome outcome)
{
    return outcome == CStatementBatch::Outcome::Ran;
}

}  // namespace

bool HasTeamTables(CDbConnection& connection)
{
    return CountSchemaObjects(connection, L"'T_TEAM_ITEM','T_TEAM_CLICK','T_TEAM_SOURCE'") == 3;
}

std::optional<CTeamVersion> ReadTeamVersion(const CString& connStr)
{
    try {
        CDbConnection connection(connStr, CDbConnection::Access::ReadOnly);
        if (!HasTeamTables(connection))
            return std::nullopt;
        CDbStatement query(connection, L"SELECT path,digest,readtime FROM T_TEAM_SOURCE WHERE id=1");
        if (!query.Step())
            return std::nullopt;
        return CTeamVersion{query.Column(0).AsText(), query.Column(1).AsText(), query.Column(2).AsText()};
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        return std::nullopt;
    }
}

bool StoreTeamVersion(const CString& connStr, const CTeamVersion& version,
                      const std::vector<CTeamItem>& items)
{
    CStatementBatch batch(connStr);
    for (const wchar_t* create : kCreateTeamTables) {
        if (!Ran(batch.Run(create)))
            return false;
    }
    // The kept version changes by the difference alone, found here rather than by the engine: a
    // file of many items where one line changed costs a reading of the table and a few writes.
    std::unordered_map<std::wstring, long long> gone;  // the kept items the new version lacks, by texts
    if (!Ran(batch.Query(L"SELECT id,title,data1 FROM T_TEAM_ITEM", {}, [&](const CDbRow& row) {
            gone.emplace(TextsKey(row.Value(1).AsText(), row.Value(2).AsText()), row.Value(0).AsInteger());
        })))
        return false;
    std::unordered_set<std::wstring> seen;
    std::vector<const CTeamItem*> added;
    for (const CTeamItem& item : items) {
        std::wstring key = TextsKey(item.title, item.data1);
        if (gone.erase(key) == 0 && seen.count(key) == 0)
            added.push_back(&item);
        seen.insert(std::move(key));
    }
    const CString remove = L"DELETE FROM T_TEAM_ITEM WHERE id=?1";
    for (const auto& item : gone) {
        if (!Ran(batch.Run(remove, {CDbValue::Integer(item.second)})))
            return false;
    }
    // A new item takes the clicks it had in an earlier version.
    const CString insert = L"INSERT INTO T_TEAM_ITEM(title,data1,clicktimes,lasttime) SELECT ?1,?2,"
                           L"coalesce((SELECT clicktimes FROM T_TEAM_CLICK WHERE title=?1 AND data1=?2),0),"
                           L"(SELECT lasttime FROM T_TEAM_CLICK WHERE title=?1 AND data1=?2)";
    for (const CTeamItem* item : added) {
        if (!Ran(batch.Run(insert, {CDbValue::Text(item->title), CDbValue::Text(item->data1)})))
            return false;
    }
    return Ran(batch.Run(L"INSERT OR REPLACE INTO T_TEAM_SOURCE(id,path,digest,readtime) values(1,?1,?2,?3)",
                         {CDbValue::Text(version.path), CDbValue::Text(version.digest),
                          CDbValue::Text(version.readTime)})) &&
           batch.Finish();
}

bool DropTeamVersion(const CString& connStr)
{
    try {
        CDbConnection connection(connStr, CDbConnection::Access::ReadOnly);
        if (!HasTeamTables(connection))
            return true;
        // Nothing kept, nothing written: a write, even of nothing, would look like a change of the
        // database to the window, which would read its list again each time it comes up.
        CDbStatement kept(connection,
                          L"SELECT EXISTS(SELECT 1 FROM T_TEAM_SOURCE) OR EXISTS(SELECT 1 FROM T_TEAM_ITEM)");
        if (kept.Step() && kept.Column(0).AsInteger() == 0)
            return true;
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        return false;
    }
    CStatementBatch batch(connStr);
    return Ran(batch.Run(L"DELETE FROM T_TEAM_ITEM")) && Ran(batch.Run(L"DELETE FROM T_TEAM_SOURCE")) &&
           batch.Finish();
}

bool ClearTeamHistory(const CString& connStr)
{
    try {
        CDbConnection connection(connStr, CDbConnection::Access::ReadOnly);
        if (!HasTeamTables(connection))
            return true;
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        return false;
    }
    CStatementBatch batch(connStr);
    return Ran(batch.Run(L"UPDATE T_TEAM_ITEM SET clicktimes=0,lasttime=NULL WHERE clicktimes<>0 OR"
                         L" lasttime IS NOT NULL")) &&
           Ran(batch.Run(L"DELETE FROM T_TEAM_CLICK")) && batch.Finish();
}

CString StmtSelectHotRowsWithTeam(int count)
{
    const bool all = count < 0;
    // As StmtSelectHotRows: the first rows of one's own through the heat order's index, all of them
    // through the table and the sorter.
    CString own;
    own.Format(L"SELECT id,substr(title,1,%d),substr(data1,1,%d),clicktimes,lasttime,0 AS team,id AS added"
               L" FROM T_ITEM%ls",
               kHotListTextChars, kHotListTextChars, all ? L" NOT INDEXED" : L"");
    // The join finds an own item of the same texts through an index the engine builds for this one
    // statement, instead of a search of T_ITEM per team item; the team's rows are read in the
    // table's order, not through their texts' index, which would send the engine to each row.
    CString team;
    team.Format(L"SELECT -t.id,substr(t.title,1,%d),substr(t.data1,1,%d),t.clicktimes AS clicktimes,"
                L"t.lasttime AS lasttime,1 AS team,"
                L"t.id AS added FROM T_TEAM_ITEM t NOT INDEXED"
                L" LEFT JOIN T_ITEM i ON i.title=t.title AND i.data1=t.data1 WHERE i.id IS NULL",
                kHotListTextChars, kHotListTextChars);
    const CString order = CString(kHeatOrder) + L",team,added";
    if (all)
        return own + L" UNION ALL " + team + L" " + order;
    // The first rows of each kind, then the first of both: the team's found by the engine's sorter
    // keeping that many rows alone, rather than both kinds ordered whole to take a screenful.
    CString limit;
    limit.Format(L" limit %d", count);
    return L"SELECT * FROM (" + own + L" " + kHeatOrder + L",id" + limit + L") UNION ALL SELECT * FROM (" +
           team + L" " + order + limit + L") " + order + limit;
}

CString StmtCountItemsWithTeam()
{
    // At most as many rows as the list gets: the team items that repeat an own one are counted too.
    return L"SELECT (SELECT count(*) FROM T_ITEM)+(SELECT count(*) FROM T_TEAM_ITEM)";
}

CString StmtSelectTeamContent(int teamId)
{
    CString text;
    text.Format(L"select data1 from T_TEAM_ITEM where id=%d", teamId);
    return text;
}

RowQueryEnd WalkTeamListIds(const CString& connStr, const std::function<void(int listId)>& onId)
{
    try {
        CDbConnection connection(connStr, CDbConnection::Access::ReadOnly);
        if (!HasTeamTables(connection))
            return RowQueryEnd::AllRead;
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        return error.IsBusy() ? RowQueryEnd::Busy : RowQueryEnd::Failed;
    }
    return WalkIntegerQuery(connStr,
                            L"SELECT t.id FROM T_TEAM_ITEM t LEFT JOIN T_ITEM i ON i.title=t.title AND"
                            L" i.data1=t.data1 WHERE i.id IS NULL ORDER BY t.id",
                            [&](long long teamId) { onId(TeamListId(static_cast<int>(teamId))); });
}

CString StmtSelectTeamItemsIn(const CString& teamIdList)
{
    return L"SELECT -id,title,data1 FROM T_TEAM_ITEM where id in(" + teamIdList + L")";
}

CString StmtCountTeamClick(const CString& time, int teamId)
{
    CString text;
    text.Format(L"update T_TEAM_ITEM set clicktimes=clicktimes+1,lasttime='%ls' where id=%d",
                (LPCWSTR)SqlEscape(time), teamId);
    return text;
}
