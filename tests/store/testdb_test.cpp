// The test database helper that every area's tests build on.
#include "tests/support/testdb.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace testing_support;

TEST(TestDatabase, StoresRowsAsGivenWithTheDeliveredDefaults)
{
    std::string db = TestTempPath("items.mdb");
    CreateItemDatabase(db, {{"标签", "内容 it's 100%", 5, "2026-02-09 09:00:00"}, {std::nullopt, ""}});
    ExecuteSql(db, "insert into T_ITEM(title,data1) values('','新')");
    EXPECT_EQ(ReadItems(db), (std::vector<StoredItem>{{1, "标签", "内容 it's 100%", 5, "2026-02-09 09:00:00"},
                                                      {2, std::nullopt, "", 0, std::nullopt},
                                                      {3, "", "新", 0, std::nullopt}}));
    // Files made in the same test stay; the folder is named after the test.
    EXPECT_EQ(TestTempDir() + "items.mdb", db);
    EXPECT_NE(db.find("\\TestDatabase.StoresRowsAsGivenWithTheDeliveredDefaults\\"), std::string::npos);
    EXPECT_THROW(ReadItems(TestTempPath("missing.mdb")), std::runtime_error);
    EXPECT_EQ(::GetFileAttributesA(TestTempPath("missing.mdb").c_str()), INVALID_FILE_ATTRIBUTES);
}
