// The text composed where a database failure is caught.
#include "store/dberror.h"

#include <sqlite3.h>
#include <windows.h>

CString ErrorInfoText(const CDbError& error)
{
    CString text;
    text.Format(L"错误信息:%ls", (LPCWSTR)error.Message());
    return text;
}

void TraceDroppedError(const CDbError& error)
{
    ::OutputDebugStringW(ErrorInfoText(error) + L"\n");
}

void ThrowAsDbError(TextFailure failure)
{
    switch (failure) {
    case TextFailure::CannotDecode:
        throw CDbError(SQLITE_ERROR, L"text cannot be converted to UTF-16");
    case TextFailure::CannotEncode:
        throw CDbError(SQLITE_ERROR, L"text cannot be converted from UTF-16");
    case TextFailure::OutOfMemory:
        break;
    }
    throw CDbError(SQLITE_NOMEM, L"out of memory converting text");
}

DbFailureKind KindOfFailure(int code)
{
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return DbFailureKind::DiskFull;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return DbFailureKind::NotWritable;
    default:
        return DbFailureKind::Other;
    }
}

bool CDbError::IsBusy() const
{
    const int primary = m_code & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}
