// Item database files for tests: a fresh file with exactly the delivered T_ITEM schema, filled
// with given rows, read back as UTF-16 text; and a scratch folder for each test.
//
//   std::wstring db = TestTempPath(L"sys.mdb");
//   CreateItemDatabase(db, {{L"标签", L"内容"}, {std::nullopt, L"it's", 5, L"2026-02-09 09:00:00"}});
//   g_connStr = BuildConnectionString(db.c_str());
//   ... run the code under test ...
//   std::vector<StoredItem> rows = ReadItems(db);   // id order
//   EXPECT_EQ(rows[1].clicktimes, 6);
//
// Every text here (paths included) is UTF-16, as the program holds it.
// A failure of these helpers throws std::runtime_error, which fails the calling test.
#pragma once

#include "tests/support/cstring_print.h"

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// One row to put into a test database (the id is assigned: 1, 2, ... in the order given).
struct TestItem {
    TestItem(std::optional<std::wstring> itemTitle, std::wstring itemData1, int itemClicktimes = 0,
             std::optional<std::wstring> itemLasttime = std::nullopt)
        : title(std::move(itemTitle)), data1(std::move(itemData1)), clicktimes(itemClicktimes),
          lasttime(std::move(itemLasttime))
    {
    }

    std::optional<std::wstring> title;  // std::nullopt stores NULL
    std::wstring data1;
    int clicktimes = 0;
    std::optional<std::wstring> lasttime;  // "YYYY-MM-DD HH:MM:SS"; std::nullopt stores NULL
};

// One row of T_ITEM as stored.
struct StoredItem {
    int id = 0;
    std::optional<std::wstring> title;
    std::optional<std::wstring> data1;
    int clicktimes = 0;
    std::optional<std::wstring> lasttime;
};
bool operator==(const StoredItem& a, const StoredItem& b);
inline bool operator!=(const StoredItem& a, const StoredItem& b)
{
    return !(a == b);
}
std::ostream& operator<<(std::ostream& out, const StoredItem& item);
// Test texts in failure messages, as UTF-8.
std::string Utf8(const std::wstring& text);
// The text's bytes in the system code page, as a program of this system writes them.
std::string InSystemCodePage(const std::wstring& text);

// The test program's folder, which is also the application directory CCore reports; ends in a
// backslash.
std::wstring ProgramFolder();

// A folder for the running test alone, named after the test, under the test program's folder,
// ending in a backslash. The test's first call empties it (files of an earlier run go); later
// calls in the same test return it as it is.
std::wstring TestTempDir();
// TestTempDir() followed by name; nothing is created at that path.
std::wstring TestTempPath(const std::wstring& name);

// Every byte of a file ("" when it cannot be read), and a file written to hold exactly bytes.
std::string FileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Creates the database file at path (replacing any file there) with the delivered schema and the
// given rows.
void CreateItemDatabase(const std::wstring& path, const std::vector<TestItem>& items = {});

// Every row of T_ITEM, in id order. Opens the file read-only: a missing file throws.
std::vector<StoredItem> ReadItems(const std::wstring& path);

// Runs SQL of any number of statements on an existing database file (never creates one), for
// set-ups the program's own operations do not offer.
void ExecuteSql(const std::wstring& path, const std::wstring& sql);

// The first column of the first row of a query ("" for no row), e.g. "SELECT hex(data1) ...".
std::wstring QueryText(const std::wstring& path, const std::wstring& sql);

// The delivered CREATE TABLE text of T_ITEM, as schema.sql gives it.
const char* ItemSchemaSql();

}  // namespace testing_support
