// The text composed where a database failure is caught.
#include "store/dberror.h"

CString ErrorInfoText(const CDbError& error)
{
    CString text;
    text.Format("错误信息:%s", (LPCSTR)error.Message());
    return text;
}
