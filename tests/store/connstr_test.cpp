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
    EXPECT_EQ(BuildConnectionString("C:\\app\\sys.mdb"),
              "Data Source=\"C:\\app\\sys.mdb\";Busy Timeout=5000");
    const char* const paths[] = {"C:\\a;b=c\\sys.mdb", "C:\\it's \"hi\";=\\x.mdb", "C:\\ends in \"",
                                 "D:\\资料；表\\sys.mdb"};
    const wchar_t* const widePaths[] = {L"C:\\a;b=c\\sys.mdb", L"C:\\it's \"hi\";=\\x.mdb", L"C:\\ends in \"",
                                        L"D:\\\x8D44\x6599\xFF1B\x8868\\sys.mdb"};
    for (int i = 0; i < 4; ++i) {
        CConnectionSettings settings;
        ASSERT_TRUE(ParseConnectionString(BuildConnectionString(paths[i], 1234), &settings)) << paths[i];
        EXPECT_EQ(settings.path, widePaths[i]) << paths[i];
        EXPECT_EQ(settings.busyTimeoutMs, 1234) << paths[i];
        EXPECT_EQ(WithBusyTimeout(BuildConnectionString(paths[i]), 200), BuildConnectionString(paths[i], 200))
            << "the same file, another wait: " << paths[i];
    }
    EXPECT_EQ(WithBusyTimeout("C:\\x.mdb", 200), "C:\\x.mdb") << "not a connection string: unchanged";
}

TEST(ConnectionString, RejectsWhatIsNotOne)
{
    const char* const texts[] = {"",
                                 "C:\\x.mdb",
                                 "Data Source=\"C:\\x.mdb",
                                 "Data Source=\"C:\\x.mdb\" junk",
                                 "Busy Timeout=5000",
                                 "Data Source=\"a\";Data Source=\"b\"",
                                 "Data Source=\"a\";Busy Timeout=-1",
                                 "Data Source=\"a\";Provider=Jet"};
    for (const char* text : texts) {
        CConnectionSettings settings;
        EXPECT_FALSE(ParseConnectionString(text, &settings)) << text;
    }
}

TEST(ConnectionString, FolderNamedWithSeparatorsAndAQuoteWorks)
{
    const std::string folder = testing_support::TestTempDir() + "a;b=c'd 资料\\";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "sys.mdb";
    testing_support::CreateItemDatabase(path, {{"标签", "内容"}});
    CDbSession session;
    session.SetConnectionString(BuildConnectionString(path.c_str()));
    session.Execute(StmtCountClick("2026-02-09 09:00:00", 1));
    EXPECT_EQ(session.QueryValue(StmtSelectContent(1)), "内容");
    EXPECT_EQ(testing_support::ReadItems(path)[0].clicktimes, 1);
}

TEST(ItemDatabase, RecognisesOnlyAFileHoldingTheItemTableAndChangesNothing)
{
    const std::string folder = testing_support::TestTempDir();
    testing_support::CreateItemDatabase(folder + "items.mdb", {{"a", "1", 3, "2026-02-09 09:00:00"}});
    const std::string before = FileBytes(folder + "items.mdb");
    EXPECT_TRUE(IsItemFile(folder + "items.mdb"));
    EXPECT_EQ(FileBytes(folder + "items.mdb"), before);

    WriteFileBytes(folder + "empty.mdb", "");
    EXPECT_FALSE(IsItemFile(folder + "empty.mdb"));
    EXPECT_EQ(FileBytes(folder + "empty.mdb"), "");

    std::string damaged = before;
    damaged.replace(0, 16, "not a database!!");
    WriteFileBytes(folder + "damaged.mdb", damaged);
    EXPECT_FALSE(IsItemFile(folder + "damaged.mdb"));
    EXPECT_EQ(FileBytes(folder + "damaged.mdb"), damaged);

    testing_support::CreateItemDatabase(folder + "foreign.mdb");
    testing_support::ExecuteSql(folder + "foreign.mdb", "DROP TABLE T_ITEM; CREATE TABLE T_ITEM(id, name)");
    EXPECT_FALSE(IsItemFile(folder + "foreign.mdb"));
    EXPECT_FALSE(IsItemDatabase("not a connection string"));
}

// The database the build delivers has the schema that test databases are given.
TEST(ItemDatabase, DeliveredDemoDatabaseHasTheTestSchema)
{
    // The test program runs from <build>\tests\store_tests\.
    char exe[MAX_PATH] = {};
    std::string demo(exe, ::GetModuleFileNameA(nullptr, exe, MAX_PATH));
    for (int up = 0; up < 3; ++up)
        demo = demo.substr(0, demo.find_last_of('\\'));
    demo += "\\demo.mdb";
    ASSERT_TRUE(IsItemFile(demo)) << demo;
    EXPECT_GE(testing_support::ReadItems(demo).size(), 10u);

    const std::string fresh = testing_support::TestTempPath("fresh.mdb");
    testing_support::CreateItemDatabase(fresh);
    const CString schemaQuery = "select sql from sqlite_master where name='T_ITEM'";
    CDbSession session;
    session.SetConnectionString(BuildConnectionString(demo.c_str()));
    const CString delivered = session.QueryValue(schemaQuery);
    session.SetConnectionString(BuildConnectionString(fresh.c_str()));
    EXPECT_EQ(delivered, session.QueryValue(schemaQuery));
}
