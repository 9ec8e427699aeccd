// Item database files for tests: a fresh file with exactly the delivered T_ITEM schema, filled
// with given rows, read back as code page 936 text; and a scratch folder for each test.
//
//   std::string db = TestTempPath("sys.mdb");
//   CreateItemDatabase(db, {{"标签", "内容"}, {std::nullopt, "it's", 5, "2026-02-09 09:00:00"}});
//   g_connStr = BuildConnectionString(db.c_str());
//   ... run the code under test ...
//   std::vector<StoredItem> rows = ReadItems(db);   // id order
//   EXPECT_EQ(rows[1].clicktimes, 6);
//
// Every text here (paths included) is code page 936 bytes, as the program holds them; values are
// stored as the Unicode text they stand for, just as the program's own statements store them.
// A failure of these helpers throws std::runtime_error, which fails the calling test.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// One row to put into a test database (the id is assigned: 1, 2, ... in the order given).
struct TestItem {
    TestItem(std::optional<std::string> itemTitle, std::string itemData1, int itemClicktimes = 0,
             std::optional<std::string> itemLasttime = std::nullopt)
        : title(std::move(itemTitle)), data1(std::move(itemData1)), clicktimes(itemClicktimes),
          lasttime(std::move(itemLasttime))
    {
    }

    std::optional<std::string> title;  // std::nullopt stores NULL
    std::string data1;
    int clicktimes = 0;
    std::optional<std::string> lasttime;  // "YYYY-MM-DD HH:MM:SS"; std::nullopt stores NULL
};

// One row of T_ITEM as stored.
struct StoredItem {
    int id = 0;
    std::optional<std::string> title;
    std::optional<std::string> data1;
    int clicktimes = 0;
    std::optional<std::string> lasttime;
};
bool operator==(const StoredItem& a, const StoredItem& b);
inline bool operator!=(const StoredItem& a, const StoredItem& b)
{
    return !(a == b);
}
std::ostream& operator<<(std::ostream& out, const StoredItem& item);

// The test program's folder, which is also the application directory CCore reports; ends in a
// backslash.
std::string ProgramFolder();

// A folder for the running test alone, named after the test, under the test program's folder,
// ending in a backslash. The test's first call empties it (files of an earlier run go); later
// calls in the same test return it as it is.
std::string TestTempDir();
// TestTempDir() followed by name; nothing is created at that path.
std::string TestTempPath(const std::string& name);

// Every byte of a file ("" when it cannot be read), and a file written to hold exactly bytes.
std::string FileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Creates the database file at path (replacing any file there) with the delivered schema and the
// given rows.
void CreateItemDatabase(const std::string& path, const std::vector<TestItem>& items = {});

// Every row of T_ITEM, in id order. Opens the file read-only: a missing file throws.
std::vector<StoredItem> ReadItems(const std::string& path);

// Runs SQL of any number of statements on an existing database file (never creates one), for
// set-ups the program's own operations do not offer.
void ExecuteSql(const std::string& path, const std::string& sql);

// The first column of the first row of a query, as the engine gives it in UTF-8 ("" for no row):
// for checking stored text that code page 936 cannot hold, e.g. "SELECT hex(data1) ...".
std::string QueryUtf8(const std::string& path, const std::string& sql);

// The delivered CREATE TABLE text of T_ITEM, as schema.sql gives it.
const char* ItemSchemaSql();

}  // namespace testing_support
