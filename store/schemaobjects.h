// Which of its tables, indexes and triggers a file holds: files made by older programs lack those
// added since, and are given them or read without them.
#pragma once

#include "base/cstring.h"

class CDbConnection;

// How many of the named schema objects the file holds; names are quoted and comma-separated
// ("'T_PIN','T_PIN_ITEM_DELETED'").
CString StmtCountSchemaObjects(const wchar_t* quotedNames);
long long CountSchemaObjects(CDbConnection& connection, const wchar_t* quotedNames);
