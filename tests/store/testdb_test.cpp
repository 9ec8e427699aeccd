// The test database helper that every area's tests build on.
#include "tests/support/testdb.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace testing_support;

TEST(TestDatabase, StoresRowsAsGivenWithTheDeliveredDefaults)
{
    std::wstring db = TestTempPath(L"items.mdb");
    CreateItemDatabase(db, {{L"标签", L"内容 it's 100% 😀", 5, L"2026-02-09 09:00:00"}, {std::nullopt, L""}});
    ExecuteSql(db, L"insert into T_ITEM(title,data1) values('','新')");
    EXPECT_EQ(ReadItems(db),
              (std::vector<StoredItem>{{1, L"标签", L"内容 it's 100% 😀", 5, L"2026-02-09 09:00:00"},
                                       {2, std::nullopt, L"", 0, std::nullopt},
                                       {3, L"", L"新", 0, std::nullopt}}));
    // Files made in the same test stay; the folder is named after the test.
    EXPECT_EQ(TestTempDir() + L"items.mdb", db);
    EXPECT_NE(db.find(L"\\TestDatabase.StoresRowsAsGivenWithTheDeliveredDefaults\\"), std::wstring::npos);
    EXPECT_THROW(ReadItems(TestTempPath(L"missing.mdb")), std::runtime_error);
    EXPECT_EQ(::GetFileAttributesW(TestTempPath(L"missing.mdb").c_str()), INVALID_FILE_ATTRIBUTES);
}
