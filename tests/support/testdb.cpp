// Test item databases: created from the delivered schema, filled, read back; per-test folders.
#include "tests/support/testdb.h"

#include "store/sqlite_handles.h"
#include "tests/support/item_schema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>

#include <fstream>
#include <iterator>
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

// Conversions of its own, apart from the program's: a fault there cannot hide in the test data.
std::wstring ToWide(const std::string& text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        throw std::runtime_error("test database: text conversion to UTF-16 failed");
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string FromWide(const std::wstring& wide, UINT codePage)
{
    if (wide.empty())
        return std::string();
    int length = ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                       nullptr, nullptr);
    if (length <= 0)
        throw std::runtime_error("test database: text conversion from UTF-16 failed");
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr,
                          nullptr);
    return text;
}

void Fail(sqlite3* db, const std::string& what)
{
    throw std::runtime_error("test database: " + what + ": " + (db ? sqlite3_errmsg(db) : "no connection"));
}

DbHandle Open(const std::string& path, int flags)
{
    std::string utf8 = FromWide(ToWide(path, CP_ACP), CP_UTF8);
    DbHandle db;
    int rc = sqlite3_open_v2(utf8.c_str(), db.Put(), flags, nullptr);
    if (rc != SQLITE_OK)
        Fail(db.Get(), "cannot open " + path);
    return db;
}

void Exec(sqlite3* db, const std::string& utf8Sql)
{
    if (sqlite3_exec(db, utf8Sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail(db, "cannot run \"" + utf8Sql + "\"");
}

StmtHandle Prepare(sqlite3* db, const char* utf8Sql)
{
    StmtHandle stmt;
    if (sqlite3_prepare_v2(db, utf8Sql, -1, stmt.Put(), nullptr) != SQLITE_OK)
        Fail(db, std::string("cannot prepare \"") + utf8Sql + "\"");
    return stmt;
}

void BindText(sqlite3_stmt* stmt, int index, const std::optional<std::string>& text)
{
    if (!text) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    std::wstring wide = ToWide(*text, CP_ACP);
    sqlite3_bind_text16(stmt, index, wide.data(), static_cast<int>(wide.size() * sizeof(wchar_t)),
                        SQLITE_TRANSIENT);
}

std::optional<std::string> ColumnText(sqlite3_stmt* stmt, int index)
{
    if (sqlite3_column_type(stmt, index) == SQLITE_NULL)
        return std::nullopt;
    const void* text = sqlite3_column_text16(stmt, index);
    int bytes = sqlite3_column_bytes16(stmt, index);
    std::wstring wide(static_cast<const wchar_t*>(text), static_cast<size_t>(bytes) / sizeof(wchar_t));
    return FromWide(wide, CP_ACP);
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    CFindHandle search(::FindFirstFileA((folder + "*").c_str(), &found));
    if (search) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\");
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search.Get(), &found));
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

bool operator==(const StoredItem& a, const StoredItem& b)
{
    return a.id == b.id && a.title == b.title && a.data1 == b.data1 && a.clicktimes == b.clicktimes &&
           a.lasttime == b.lasttime;
}

std::ostream& operator<<(std::ostream& out, const StoredItem& item)
{
    auto text = [](const std::optional<std::string>& value) { return value ? "\"" + *value + "\"" : "NULL"; };
    return out << "{id " << item.id << ", title " << text(item.title) << ", data1 " << text(item.data1)
               << ", clicktimes " << item.clicktimes << ", lasttime " << text(item.lasttime) << "}";
}

std::string TestTempDir()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "no-test";
    for (char& ch : name) {
        if (ch == '/' || ch == '\\' || ch == ':')
            ch = '_';
    }
    std::string root = ProgramFolder() + "testdata\\";
    std::string folder = root + name + "\\";
    // Emptied on the test's first call only: later calls of the same test keep its files.
    static std::string madeFor;
    if (madeFor != name) {
        ::CreateDirectoryA(root.c_str(), nullptr);
        RemoveTree(folder);
        if (!::CreateDirectoryA(folder.c_str(), nullptr))
            throw std::runtime_error("test folder cannot be made: " + folder);
        madeFor = name;
    }
    return folder;
}

std::string TestTempPath(const std::string& name)
{
    return TestTempDir() + name;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void CreateItemDatabase(const std::string& path, const std::vector<TestItem>& items)
{
    ::DeleteFileA(path.c_str());
    ::DeleteFileA((path + "-journal").c_str());
    DbHandle db = Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    Exec(db.Get(), kItemSchemaSql);
    Exec(db.Get(), "BEGIN");
    StmtHandle insert =
        Prepare(db.Get(), "INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES(?,?,?,?)");
    for (const TestItem& item : items) {
        BindText(insert.Get(), 1, item.title);
        BindText(insert.Get(), 2, item.data1);
        sqlite3_bind_int(insert.Get(), 3, item.clicktimes);
        BindText(insert.Get(), 4, item.lasttime);
        if (sqlite3_step(insert.Get()) != SQLITE_DONE)
            Fail(db.Get(), "cannot insert a test item");
        sqlite3_reset(insert.Get());
    }
    Exec(db.Get(), "COMMIT");
}

std::vector<StoredItem> ReadItems(const std::string& path)
{
    DbHandle db = Open(path, SQLITE_OPEN_READONLY);
    StmtHandle select =
        Prepare(db.Get(), "SELECT id,title,data1,clicktimes,lasttime FROM T_ITEM ORDER BY id");
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
        Fail(db.Get(), "cannot read the items");
    return rows;
}

void ExecuteSql(const std::string& path, const std::string& sql)
{
    DbHandle db = Open(path, SQLITE_OPEN_READWRITE);
    Exec(db.Get(), FromWide(ToWide(sql, CP_ACP), CP_UTF8));
}

std::string QueryUtf8(const std::string& path, const std::string& sql)
{
    DbHandle db = Open(path, SQLITE_OPEN_READONLY);
    StmtHandle query = Prepare(db.Get(), sql.c_str());
    int rc = sqlite3_step(query.Get());
    if (rc == SQLITE_DONE)
        return std::string();
    if (rc != SQLITE_ROW)
        Fail(db.Get(), "cannot run the query");
    const unsigned char* text = sqlite3_column_text(query.Get(), 0);
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

const char* ItemSchemaSql()
{
    return kItemSchemaSql;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

}  // namespace testing_support
