// The connection string (path and busy timeout) and the item database check.
#include "store/connstr.h"
#include "store/statements.h"
#include "tests/store/store_fixture.h"

using testing_support::FileBytes;
using testing_support::WriteFileBytes;

namespace {

bool IsItemFile(const std::string& path)
{
    return IsItemDatabase(BuildConnectionString(path.c_str()));
}

}  // namespace

TEST(ConnectionString, PathWithSeparatorsAndQuotesSurvives)
{
    EXPECT_EQ(BuildConnectionString(L"C:\\app\\sys.mdb"),
              L"Data Source=\"C:\\app\\sys.mdb\";Busy Timeout=5000");
    const char* const paths[] = {L"C:\\a;b=c\\sys.mdb", L"C:\\it's \"hi\";=\\x.mdb", L"C:\\ends in \"",
                                 L"D:\\资料；表\\sys.mdb"};
    const wchar_t* const widePaths[] = {L"C:\\a;b=c\\sys.mdb", L"C:\\it's \L"hi\";=\\x.mdb", L"C:\\ends in \L"",
                                        L"D:\\\x8D44\x6599\xFF1B\x8868\\sys.mdb"};
    for (int i = 0; i < 4; ++i) {
        CConnectionSettings settings;
        ASSERT_TRUE(ParseConnectionString(BuildConnectionString(paths[i], 1234), &settings)) << paths[i];
        EXPECT_EQ(settings.path, widePaths[i]) << paths[i];
        EXPECT_EQ(settings.busyTimeoutMs, 1234) << paths[i];
        EXPECT_EQ(WithBusyTimeout(BuildConnectionString(paths[i]), 200), BuildConnectionString(paths[i], 200))
            << "the same file, another wait: " << paths[i];
    }
    EXPECT_EQ(WithBusyTimeout(L"C:\\x.mdb", 200), L"C:\\x.mdb") << "not a connection string: unchanged";
}

TEST(ConnectionString, RejectsWhatIsNotOne)
{
    const char* const texts[] = {L"",
                                 L"C:\\x.mdb",
                                 L"Data Source=\"C:\\x.mdb",
                                 L"Data Source=\"C:\\x.mdb\" junk",
                                 L"Busy Timeout=5000",
                                 L"Data Source=\"a\";Data Source=\"b\"",
                                 L"Data Source=\"a\";Busy Timeout=-1",
                                 L"Data Source=\"a\";Provider=Jet"};
    for (const char* text : texts) {
        CConnectionSettings settings;
        EXPECT_FALSE(ParseConnectionString(text, &settings)) << text;
    }
}

TEST(ConnectionString, FolderNamedWithSeparatorsAndAQuoteWorks)
{
    const std::string folder = testing_support::TestTempDir() + L"a;b=c'd 资料\\";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::string path = folder + L"sys.mdb";
    testing_support::CreateItemDatabase(path, {{L"标签", L"内容"}});
    CDbSession session;
    session.SetConnectionString(BuildConnectionString(path.c_str()));
    session.Execute(StmtCountClick(L"2026-02-09 09:00:00", 1));
    EXPECT_EQ(session.QueryValue(StmtSelectContent(1)), L"内容");
    EXPECT_EQ(testing_support::ReadItems(path)[0].clicktimes, 1);
}

TEST(ItemDatabase, RecognisesOnlyAFileHoldingTheItemTableAndChangesNothing)
{
    const std::string folder = testing_support::TestTempDir();
    testing_support::CreateItemDatabase(folder + L"items.mdb", {{L"a", L"1", 3, L"2026-02-09 09:00:00"}});
    const std::string before = FileBytes(folder + L"items.mdb");
    EXPECT_TRUE(IsItemFile(folder + L"items.mdb"));
    EXPECT_EQ(FileBytes(folder + L"items.mdb"), before);

    WriteFileBytes(folder + L"empty.mdb", L"");
    EXPECT_FALSE(IsItemFile(folder + L"empty.mdb"));
    EXPECT_EQ(FileBytes(folder + L"empty.mdb"), L"");

    std::string damaged = before;
    damaged.replace(0, 16, L"not a database!!");
    WriteFileBytes(folder + L"damaged.mdb", damaged);
    EXPECT_FALSE(IsItemFile(folder + L"damaged.mdb"));
    EXPECT_EQ(FileBytes(folder + L"damaged.mdb"), damaged);

    testing_support::CreateItemDatabase(folder + L"foreign.mdb");
    testing_support::ExecuteSql(folder + L"foreign.mdb", L"DROP TABLE T_ITEM; CREATE TABLE T_ITEM(id, name)");
    EXPECT_FALSE(IsItemFile(folder + L"foreign.mdb"));
    EXPECT_FALSE(IsItemDatabase(L"not a connection string"));
}

// The database the build delivers has the schema that test databases are given.
TEST(ItemDatabase, DeliveredDemoDatabaseHasTheTestSchema)
{
    // The test program runs from <build>\tests\store_tests\.
    char exe[MAX_PATH] = {};
    std::string demo(exe, ::GetModuleFileNameW(nullptr, exe, MAX_PATH));
    for (int up = 0; up < 3; ++up)
        demo = demo.substr(0, demo.find_last_of('\\'));
    demo += L"\\demo.mdb";
    ASSERT_TRUE(IsItemFile(demo)) << demo;
    EXPECT_GE(testing_support::ReadItems(demo).size(), 10u);

    const std::string fresh = testing_support::TestTempPath(L"fresh.mdb");
    testing_support::CreateItemDatabase(fresh);
    const CString schemaQuery = L"select sql from sqlite_master where name='T_ITEM'";
    CDbSession session;
    session.SetConnectionString(BuildConnectionString(demo.c_str()));
    const CString delivered = session.QueryValue(schemaQuery);
    session.SetConnectionString(BuildConnectionString(fresh.c_str()));
    EXPECT_EQ(delivered, session.QueryValue(schemaQuery));
}
