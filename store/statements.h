// T_ITEM and every statement the program sends to it.
#pragma once

#include "base/cstring.h"

// The hot list's order: most clicked first, then the latest copy first (nulls last).
extern const wchar_t* const kHeatOrder;  // "order by clicktimes desc,lasttime desc"

// A text value made safe to stand between single quotes of a statement: every ' doubled, and a
// half of a surrogate pair without its other half made U+FFFD.
CString SqlEscape(const CString& text);

// The statement texts. Text values are given as the user gave them: each builder passes them
// through SqlEscape itself (do not escape them again). The id list is put in as it stands.
// The hot list's rows in heat order, the first `count` of them or, with -1, all: the id, and the
// label and content cut to their first kHotListTextChars characters, all that a row shows and the
// search looks at; a click reads the whole content by id. The first rows are found through the
// heat order's index, reading those rows only; all of them are read through the table and sorted,
// twice as fast as through the index, whose every entry sends the engine elsewhere in the file.
constexpr int kHotListTextChars = 1000;
CString StmtSelectHotRows(int count = -1);
// Makes the heat order's index in a file made before it: the first rows then come without a sort.
CString StmtCreateHeatIndex();
constexpr wchar_t kHeatIndexName[] = L"'I_ITEM_HEAT'";  // for CountSchemaObjects
CString StmtCountItems();                                                    // how many items
CString StmtSelectContent(int id);                                           // a click: read data1
CString StmtCountClick(const CString& time, int id);                         // a click: count it
CString StmtClearHistory();                                                  // options: clear
CString StmtSelectNewestFirst();                                             // items dialog
CString StmtSelectIdsNewestFirst();                                          // its rows
CString StmtSelectItemsIn(const CString& idList);                            // their texts
CString StmtUpdateItem(const CString& title, const CString& data1, int id);  // edit
// An edit that changed one field only: the other stays as stored.
CString StmtUpdateTitle(const CString& title, int id);
CString StmtUpdateData1(const CString& data1, int id);
CString StmtDeleteItems(const CString& idList);                              // delete checked
// Deletes the items of the id list and returns what they held (id, title, data1, clicktimes,
// lasttime), kept so that the delete can be undone.
CString StmtDeleteItemsReturning(const CString& idList);
// ?1 id, ?2 title, ?3 data1, ?4 clicktimes, ?5 lasttime: a deleted item put back under its own id.
CString StmtInsertItemWithId();
CString StmtInsertImported(const CString& line);                             // import
// The same insert with a label: a new item typed in the items dialog. With an empty label it is
// the import's statement, text for text.
CString StmtInsertItem(const CString& title, const CString& data1);

// Statements whose values are bound to their parameters (?1, ?2 ...), for the items file.
CString StmtInsertWholeItem();       // ?1 title, ?2 data1, ?3 clicktimes, ?4 lasttime: an item read back
CString StmtSelectEveryItemTexts();  // id, title, data1 of every item: what a read-back item may repeat
CString StmtSelectItemTexts();       // title, data1 of the item ?1
// id, title, data1, clicktimes, lasttime of the items from id ?1 down to id ?2, newest first.
CString StmtSelectItemsFromIdDown();
