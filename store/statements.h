// T_ITEM and every statement the program sends to it.
#pragma once

#include "framework/cstring.h"

// The hot list's order: most clicked first, then the latest copy first (nulls last).
extern const char* const kHeatOrder;  // "order by clicktimes desc,lasttime desc"

// A text value made safe to stand between single quotes of a statement.
CString SqlEscape(const CString& text);

CString StmtSelectItems(const CString& orderClause);                         // the hot list
CString StmtSelectContent(int id);                                           // a click: read data1
CString StmtCountClick(const CString& time, int id);                         // a click: count it
CString StmtClearHistory();                                                  // options: clear
CString StmtSelectNewestFirst();                                             // items dialog
CString StmtUpdateItem(const CString& title, const CString& data1, int id);  // edit
CString StmtDeleteItems(const CString& idList);                              // delete checked
CString StmtInsertImported(const CString& line);                             // import
