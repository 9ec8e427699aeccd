// T_PIN: the items the user keeps above the heat order, and the statements that read and change it.
// The table stands beside T_ITEM, which it never changes, so that a program that knows nothing of
// pins still opens the file and keeps them; a trigger on T_ITEM drops the pin of a deleted item,
// whichever program deletes it.
#pragma once

#include "base/cstring.h"

#include <vector>

class CDbConnection;

// Creates T_PIN and its trigger where they are missing; a failure (a read-only file, another
// program's lock) throws CDbError.
void AddPinTable(CDbConnection& connection);
// AddPinTable over a connection of its own: false, the failure traced, when the file took no
// change (the list then shows no pins until the table can be made).
bool AddPinTable(const CString& connStr);
// Whether the file holds T_PIN: a file no newer program has written to has none.
constexpr wchar_t kPinTableName[] = L"'T_PIN'";
bool HasPinTable(CDbConnection& connection);

// Pins the items in the order given (each after every other pin) or takes their pins off, in one
// transaction over a connection of its own; T_PIN is made first where it is missing. A failure
// throws CDbError, the table as it was: every item, or none.
void SetItemsPinned(const CString& connStr, const std::vector<int>& ids, bool pinned);

// T_PIN and its trigger, each made only where it is missing: for a transaction of the caller's.
std::vector<CString> StmtsCreatePinTable();
// The pinned items, the first pinned first: id, and the label and content cut as the hot list's
// statement cuts them.
CString StmtSelectPinnedRows();
// The pinned ids, for lists that mark them.
CString StmtSelectPinnedIds();
// The pinned ids, ascending, for a binary search; none in a file without T_PIN. A failure throws
// CDbError.
std::vector<long long> ReadPinnedIds(CDbConnection& connection);
// Pins an existing item after every other pin; an item pinned already keeps its place, and an
// item no longer there is not pinned (no row changes).
CString StmtPinItem(int id);
CString StmtUnpinItem(int id);
// The pins of the items in the id list: id, pinned_at; and one put back as it was (?1 id, ?2
// pinned_at), for an undone delete.
CString StmtSelectPinsIn(const CString& idList);
CString StmtRestorePin();
