// store_lock_holder: a second program holding a lock on an item database, for the store's tests.
//
//   store_lock_holder <database> write|exclusive|read <event prefix> <hold ms>
//
// Opens the database, takes the write lock (BEGIN IMMEDIATE), the exclusive lock (BEGIN
// EXCLUSIVE) or a read lock (a read inside an open transaction), sets "<prefix>-ready", waits for "<prefix>-go", keeps the lock <hold ms>
// longer, sets "<prefix>-released" and lets go of the lock. Exit code 0 when all of that worked.
#include "base/kernel_handles.h"
#include "store/sqlite_handles.h"

#include <sqlite3.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string ToUtf8(const char* ansi)
{
    int wideLength = ::MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi, -1, &wide[0], wideLength);
    int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], length, nullptr, nullptr);
    return utf8.c_str();
}

CKernelHandle OpenNamedEvent(const std::string& prefix, const char* suffix)
{
    return CKernelHandle(::OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, (prefix + "-" + suffix).c_str()));
}

bool TakeLock(sqlite3* db, const std::string& mode)
{
    if (mode == "write")
        return sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (mode == "exclusive")
        return sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    // Within an open transaction the shared lock of a read stays until the transaction ends.
    return sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_exec(db, "SELECT count(*) FROM T_ITEM", nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return 2;
    const std::string mode = argv[2];
    const std::string prefix = argv[3];
    const DWORD holdMs = static_cast<DWORD>(std::atoi(argv[4]));
    CKernelHandle ready = OpenNamedEvent(prefix, "ready");
    CKernelHandle go = OpenNamedEvent(prefix, "go");
    CKernelHandle released = OpenNamedEvent(prefix, "released");
    if (!ready || !go || !released)
        return 3;

    CSqliteHandle db;
    if (sqlite3_open_v2(ToUtf8(argv[1]).c_str(), db.Put(), SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        !TakeLock(db.Get(), mode))
        return 4;
    ::SetEvent(ready.Get());
    // The test lets go within seconds; a test that died must not leave the lock held for ever.
    bool told = ::WaitForSingleObject(go.Get(), 60000) == WAIT_OBJECT_0;
    // Another program busy with its own work for a moment: the wait a busy timeout is for.
    ::Sleep(holdMs);
    // Set before the lock goes, so that whoever gets the lock next finds it set.
    ::SetEvent(released.Get());
    bool unlocked = sqlite3_exec(db.Get(), "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    return told && unlocked ? 0 : 5;
}
