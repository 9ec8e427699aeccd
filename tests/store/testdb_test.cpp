// The test database helper that every area's tests build on: schema, rows and folders.
#include "tests/support/testdb.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace testing_support;

TEST(TestDatabase, StoresAndReadsBackRowsAsGiven)
{
    std::string db = TestTempPath("items.mdb");
    CreateItemDatabase(db, {{"标签", "内容 it's 100%", 5, "2026-02-09 09:00:00"}, {std::nullopt, "", 0, std::nullopt}});
    std::vector<StoredItem> rows = ReadItems(db);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (StoredItem{1, "标签", "内容 it's 100%", 5, "2026-02-09 09:00:00"}));
    EXPECT_EQ(rows[1], (StoredItem{2, std::nullopt, "", 0, std::nullopt}));
}

TEST(TestDatabase, HoldsExactlyTheDeliveredSchema)
{
    std::string db = TestTempPath("items.mdb");
    CreateItemDatabase(db);
    ExecuteSql(db, "insert into T_ITEM(title,data1) values('','新')");
    std::vector<StoredItem> rows = ReadItems(db);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (StoredItem{1, "", "新", 0, std::nullopt}));
    EXPECT_NE(std::string(ItemSchemaSql()).find("CREATE TABLE T_ITEM(id INTEGER PRIMARY KEY AUTOINCREMENT"),
              std::string::npos);
}

TEST(TestDatabase, FolderIsFreshForEachCall)
{
    std::string first = TestTempPath("left-over.txt");
    HANDLE file = ::CreateFileA(first.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    std::string folder = TestTempDir();
    EXPECT_EQ(folder + "left-over.txt", first);
    EXPECT_EQ(::GetFileAttributesA(first.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(::GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(TestDatabase, ReadingAMissingFileThrowsAndCreatesNothing)
{
    std::string db = TestTempPath("missing.mdb");
    EXPECT_THROW(ReadItems(db), std::runtime_error);
    EXPECT_EQ(::GetFileAttributesA(db.c_str()), INVALID_FILE_ATTRIBUTES);
}
