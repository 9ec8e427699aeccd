// Schema objects counted in sqlite_master.
#include "store/schemaobjects.h"

#include "store/dbconnection.h"
#include "store/dbstatement.h"

CString StmtCountSchemaObjects(const wchar_t* quotedNames)
{
    return CString(L"SELECT count(*) FROM sqlite_master WHERE name IN(") + quotedNames + L")";
}

long long CountSchemaObjects(CDbConnection& connection, const wchar_t* quotedNames)
{
    CDbStatement query(connection, StmtCountSchemaObjects(quotedNames));
    return query.Step() ? query.Column(0).AsInteger() : 0;
}
