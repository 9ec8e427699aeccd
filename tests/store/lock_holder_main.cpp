// store_lock_holder: a second program holding a lock on an item database, for the store's tests.
//
//   store_lock_holder <database> write|exclusive|read|change <event prefix> <hold ms>
//
// Opens the database, takes the write lock (BEGIN IMMEDIATE), the exclusive lock (BEGIN
// EXCLUSIVE), a read lock (a read inside an open transaction) or, to change, the write lock with
// the first item's label set to "别处改过" (committed when it lets go), sets "<prefix>-ready", waits for "<prefix>-go", keeps the lock <hold ms>
// longer, sets "<prefix>-released" and lets go of the lock. Exit code 0 when all of that worked.
#include "base/kernel_handles.h"
#include "base/text_codec.h"
#include "store/sqlite_handles.h"

#include <sqlite3.h>
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// The arguments from the wide command line (argv would put the path through the code page):
// blanks part them, quotes hold a path with blanks together; the test program writes no quote
// inside an argument.
std::vector<std::wstring> Arguments()
{
    std::vector<std::wstring> arguments;
    const wchar_t* at = ::GetCommandLineW();
    for (;;) {
        while (*at == L' ' || *at == L'\t')
            ++at;
        if (!*at)
            return arguments;
        std::wstring argument;
        for (bool quoted = false; *at && (quoted || (*at != L' ' && *at != L'\t')); ++at) {
            if (*at == L'"')
                quoted = !quoted;
            else
                argument += *at;
        }
        arguments.push_back(argument);
    }
}

CKernelHandle OpenNamedEvent(const std::wstring& prefix, const wchar_t* suffix)
{
    return CKernelHandle(
        ::OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, (prefix + L"-" + suffix).c_str()));
}

bool TakeLock(sqlite3* db, const std::wstring& mode)
{
    if (mode == L"write")
        return sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (mode == L"change")
        return sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK &&
               sqlite3_exec(db, "UPDATE T_ITEM SET title='别处改过' WHERE id=1", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (mode == L"exclusive")
        return sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    // Within an open transaction the shared lock of a read stays until the transaction ends.
    return sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_exec(db, "SELECT count(*) FROM T_ITEM", nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

int main()
{
    const std::vector<std::wstring> arguments = Arguments();
    if (arguments.size() != 5)
        return 2;
    const std::wstring& mode = arguments[2];
    const std::wstring& prefix = arguments[3];
    const DWORD holdMs = static_cast<DWORD>(std::wcstoul(arguments[4].c_str(), nullptr, 10));
    CKernelHandle ready = OpenNamedEvent(prefix, L"ready");
    CKernelHandle go = OpenNamedEvent(prefix, L"go");
    CKernelHandle released = OpenNamedEvent(prefix, L"released");
    if (!ready || !go || !released)
        return 3;

    const std::string database = WideToUtf8(arguments[1]);  // SQLite's file names are UTF-8
    CSqliteHandle db;
    if (sqlite3_open_v2(database.c_str(), db.Put(), SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
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
