// The team's items: the last version of the shared team file that was read whole, kept in the item
// database beside the user's own items, and the user's clicks on them. They live in tables of their
// own (T_TEAM_ITEM, T_TEAM_CLICK, T_TEAM_SOURCE): T_ITEM is never touched, so a program that knows
// only T_ITEM sees the user's items alone.
#pragma once

#include "base/cstring.h"
#include "store/rowquery.h"

#include <functional>

#include <optional>
#include <string>
#include <vector>

class CDbConnection;

// The hot list carries team items under negative ids, which no item of T_ITEM has.
constexpr bool IsTeamListId(int listId)
{
    return listId < 0;
}
constexpr int TeamListId(int teamId)
{
    return -teamId;
}
constexpr int TeamIdOfListId(int listId)
{
    return -listId;
}

struct CTeamItem {
    std::wstring title;
    std::wstring data1;
};

// The version kept: the file it was read from, a digest of its bytes and when it was read.
struct CTeamVersion {
    std::wstring path;
    std::wstring digest;
    std::wstring readTime;
};

// Whether the database holds the team tables (a version was kept once).
bool HasTeamTables(CDbConnection& connection);

// The version kept; nothing when none is (or the database cannot be read: the caller learns that
// when it stores).
std::optional<CTeamVersion> ReadTeamVersion(const CString& connStr);

// Puts items in place of the version kept, in one transaction: items equal in label and content
// are kept once, those the kept version had already keep their ids (a click on a row shown before
// the change still names its item), and the clicks counted on every item stay. False when the
// database refused it: the kept version stays then.
bool StoreTeamVersion(const CString& connStr, const CTeamVersion& version,
                      const std::vector<CTeamItem>& items);

// No team file any more: its items go (the clicks stay, for a file that brings them back). True
// when there is nothing kept now.
bool DropTeamVersion(const CString& connStr);

// Clearing the history clears the clicks on team items too; true when there are none left.
bool ClearTeamHistory(const CString& connStr);

// The team statements the hot list and the click path run.
// The hot list's rows, own and team items in one heat order, as StmtSelectHotRows gives the own
// ones: the id (negative for a team item), the first kHotListTextChars characters of the label and
// content. A team item with the label and content of an own item is left out: it shows once, as
// the user's. Ties go own items first, each kind in the order it was added.
CString StmtSelectHotRowsWithTeam(int count = -1);
CString StmtCountItemsWithTeam();
CString StmtSelectTeamContent(int teamId);
// The items dialog's team rows: the list id of every team item that is not also an own item, in
// the file's order; nothing (and AllRead) when no team file was ever read.
RowQueryEnd WalkTeamListIds(const CString& connStr, const std::function<void(int listId)>& onId);
// List id, title, data1 of the team items of an id list (team ids, "3,7").
CString StmtSelectTeamItemsIn(const CString& teamIdList);
// Counts a click on the team item teamId; kept under its texts too, so that it outlives the file's
// changes.
CString StmtCountTeamClick(const CString& time, int teamId);
