// Test item databases: created from the delivered schema, filled, read back; per-test folders.
#include "tests/support/testdb.h"

#include "store/sqlite_handles.h"
#include "tests/support/item_schema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>

#include <memory>
#include <stdexcept>

namespace testing_support {

namespace {

struct CFindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle handle) { return handle != INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::FindClose(handle); }
};
using CFindHandle = CUniqueHandle<CFindTraits>;
using DbHandle = CSqliteHandle;
using StmtHandle = CSqliteStmtHandle;

// A conversion of its own, apart from the program's: a fault there cannot hide in the test data.
std::wstring FromUtf8(const char* text)
{
    int length = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

void Fail(sqlite3* db, const std::wstring& what)
{
    throw std::runtime_error("test database: " + Utf8(what) + ": " + (db ? sqlite3_errmsg(db) : "no connection"));
}

DbHandle Open(const std::wstring& path, int flags)
{
    DbHandle db;
    int rc = sqlite3_open_v2(Utf8(path).c_str(), db.Put(), flags, nullptr);
    if (rc != SQLITE_OK)
        Fail(db.Get(), L"cannot open " + path);
    return db;
}

void Exec(sqlite3* db, const std::wstring& sql)
{
    if (sqlite3_exec(db, Utf8(sql).c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail(db, L"cannot run \"" + sql + L"\"");
}

StmtHandle Prepare(sqlite3* db, const std::wstring& sql)
{
    StmtHandle stmt;
    if (sqlite3_prepare16_v2(db, sql.c_str(), -1, stmt.Put(), nullptr) != SQLITE_OK)
        Fail(db, L"cannot prepare \"" + sql + L"\"");
    return stmt;
}

void BindText(sqlite3_stmt* stmt, int index, const std::optional<std::wstring>& text)
{
    if (!text) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    sqlite3_bind_text16(stmt, index, text->data(), static_cast<int>(text->size() * sizeof(wchar_t)),
                        SQLITE_TRANSIENT);
}

std::optional<std::wstring> ColumnText(sqlite3_stmt* stmt, int index)
{
    if (sqlite3_column_type(stmt, index) == SQLITE_NULL)
        return std::nullopt;
    const void* text = sqlite3_column_text16(stmt, index);
    int bytes = sqlite3_column_bytes16(stmt, index);
    if (!text)
        return std::wstring();
    return std::wstring(static_cast<const wchar_t*>(text), static_cast<size_t>(bytes) / sizeof(wchar_t));
}

void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    CFindHandle search(::FindFirstFileW((folder + L"*").c_str(), &found));
    if (search) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\");
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(search.Get(), &found));
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], length,
                              nullptr, nullptr);
    return bytes;
}

std::string InSystemCodePage(const std::wstring& text)
{
    const int units = static_cast<int>(text.size());
    std::string bytes(static_cast<size_t>(units) * 2, '\0');
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), units, &bytes[0],
                                             static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<size_t>(length > 0 ? length : 0));
    return bytes;
}

bool operator==(const StoredItem& a, const StoredItem& b)
{
    return a.id == b.id && a.title == b.title && a.data1 == b.data1 && a.clicktimes == b.clicktimes &&
           a.lasttime == b.lasttime;
}

std::ostream& operator<<(std::ostream& out, const StoredItem& item)
{
    auto text = [](const std::optional<std::wstring>& value) {
        return value ? "\"" + Utf8(*value) + "\"" : std::string("NULL");
    };
    return out << "{id " << item.id << ", title " << text(item.title) << ", data1 " << text(item.data1)
               << ", clicktimes " << item.clicktimes << ", lasttime " << text(item.lasttime) << "}";
}

std::wstring TestTempDir()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::wstring name = test ? FromUtf8(test->test_suite_name()) + L"." + FromUtf8(test->name()) : L"no-test";
    for (wchar_t& ch : name) {
        if (ch == L'/' || ch == L'\\' || ch == L':')
            ch = L'_';
    }
    std::wstring root = ProgramFolder() + L"testdata\\";
    std::wstring folder = root + name + L"\\";
    // Emptied on the test's first call only: later calls of the same test keep its files.
    static std::wstring madeFor;
    if (madeFor != name) {
        ::CreateDirectoryW(root.c_str(), nullptr);
        RemoveTree(folder);
        if (!::CreateDirectoryW(folder.c_str(), nullptr))
            throw std::runtime_error("test folder cannot be made: " + Utf8(folder));
        madeFor = name;
    }
    return folder;
}

std::wstring TestTempPath(const std::wstring& name)
{
    return TestTempDir() + name;
}

std::string FileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("test file cannot be written: " + Utf8(path));
    DWORD written = 0;
    const bool whole = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size();
    ::CloseHandle(file);
    if (!whole)
        throw std::runtime_error("test file cannot be written: " + Utf8(path));
}

void CreateItemDatabase(const std::wstring& path, const std::vector<TestItem>& items)
{
    ::DeleteFileW(path.c_str());
    ::DeleteFileW((path + L"-journal").c_str());
    DbHandle db = Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (sqlite3_exec(db.Get(), kItemSchemaSql, nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail(db.Get(), L"cannot create the item table");
    // A large table is written in one go: room for all its pages, so that none is written twice.
    Exec(db.Get(), L"PRAGMA cache_size=-262144");
    Exec(db.Get(), L"BEGIN");
    StmtHandle insert =
        Prepare(db.Get(), L"INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES(?,?,?,?)");
    for (const TestItem& item : items) {
        BindText(insert.Get(), 1, item.title);
        BindText(insert.Get(), 2, item.data1);
        sqlite3_bind_int(insert.Get(), 3, item.clicktimes);
        BindText(insert.Get(), 4, item.lasttime);
        if (sqlite3_step(insert.Get()) != SQLITE_DONE)
            Fail(db.Get(), L"cannot insert a test item");
        sqlite3_reset(insert.Get());
    }
    Exec(db.Get(), L"COMMIT");
}

std::vector<StoredItem> ReadItems(const std::wstring& path)
{
    DbHandle db = Open(path, SQLITE_OPEN_READONLY);
    StmtHandle select =
        Prepare(db.Get(), L"SELECT id,title,data1,clicktimes,lasttime FROM T_ITEM ORDER BY id");
    std::vector<StoredItem> rows;
    int rc;
    while ((rc = sqlite3_step(select.Get())) == SQLITE_ROW) {
        StoredItem row;
        row.id = sqlite3_column_int(select.Get(), 0);
        row.title = ColumnText(select.Get(), 1);
        row.data1 = ColumnText(select.Get(), 2);
        row.clicktimes = sqlite3_column_int(select.Get(), 3);
        row.lasttime = ColumnText(select.Get(), 4);
        rows.push_back(row);
    }
    if (rc != SQLITE_DONE)
        Fail(db.Get(), L"cannot read the items");
    return rows;
}

void ExecuteSql(const std::wstring& path, const std::wstring& sql)
{
    DbHandle db = Open(path, SQLITE_OPEN_READWRITE);
    Exec(db.Get(), sql);
}

std::wstring QueryText(const std::wstring& path, const std::wstring& sql)
{
    DbHandle db = Open(path, SQLITE_OPEN_READONLY);
    StmtHandle query = Prepare(db.Get(), sql);
    int rc = sqlite3_step(query.Get());
    if (rc == SQLITE_DONE)
        return std::wstring();
    if (rc != SQLITE_ROW)
        Fail(db.Get(), L"cannot run the query");
    return ColumnText(query.Get(), 0).value_or(std::wstring());
}

const char* ItemSchemaSql()
{
    return kItemSchemaSql;
}

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

}  // namespace testing_support
