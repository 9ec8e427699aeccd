// The connection string (path and busy timeout) and the item database check.
#include "store/connstr.h"
#include "store/statements.h"
#include "tests/store/store_fixture.h"

using testing_support::FileBytes;
using testing_support::WriteFileBytes;

namespace {

bool IsItemFile(const std::wstring& path)
{
    return CheckItemDatabase(BuildConnectionString(path.c_str())) == ItemDatabaseCheck::Ours;
}

}  // namespace

TEST(ConnectionString, PathWithSeparatorsAndQuotesSurvives)
{
    EXPECT_EQ(BuildConnectionString(L"C:\\app\\sys.mdb"),
              L"Data Source=\"C:\\app\\sys.mdb\";Busy Timeout=5000");
    // Paths are UTF-16 throughout: each comes back unit for unit, a surrogate pair beside a
    // separator included.
    const struct {
        const wchar_t* path;
        const char* why;
    } cases[] = {
        {L"C:\\a;b=c\\sys.mdb", "separators of the string inside the path"},
        {L"C:\\it's \"hi\";=\\x.mdb", "quotes doubled and undoubled"},
        {L"C:\\ends in \"", "a quote as the last character"},
        {L"D:\\资料；表\\sys.mdb", "Chinese with a full-width semicolon"},
        {L"C:\\😀 张三 Zoë\\sys.mdb", "an emoji, Chinese and a Latin letter no one code page holds with them"},
        {L"C:\\😀\";𠮷=\"\\sys.mdb", "surrogate pairs right before a quote, a semicolon and an equals sign"},
    };
    for (const auto& c : cases) {
        CConnectionSettings settings;
        ASSERT_TRUE(ParseConnectionString(BuildConnectionString(c.path, 1234), &settings)) << c.why;
        EXPECT_EQ(settings.path, c.path) << c.why;
        EXPECT_EQ(settings.busyTimeoutMs, 1234) << c.why;
        EXPECT_EQ(WithBusyTimeout(BuildConnectionString(c.path), 200), BuildConnectionString(c.path, 200))
            << "the same file, another wait: " << c.why;
    }
    EXPECT_EQ(WithBusyTimeout(L"C:\\x.mdb", 200), L"C:\\x.mdb") << "not a connection string: unchanged";
}

TEST(ConnectionString, RejectsWhatIsNotOne)
{
    const wchar_t* const texts[] = {L"",
                                    L"C:\\x.mdb",
                                    L"Data Source=\"C:\\x.mdb",
                                    L"Data Source=\"C:\\x.mdb\" junk",
                                    L"Busy Timeout=5000",
                                    L"Data Source=\"a\";Data Source=\"b\"",
                                    L"Data Source=\"a\";Busy Timeout=-1",
                                    L"Data Source=\"a\";Provider=Jet"};
    for (const wchar_t* text : texts) {
        CConnectionSettings settings;
        EXPECT_FALSE(ParseConnectionString(text, &settings)) << text;
    }
}

TEST(ConnectionString, FolderNamedWithSeparatorsAndAQuoteWorks)
{
    const std::wstring folder = testing_support::TestTempDir() + L"a;b=c'd 资料 😀 张三 Zoë\\";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring path = folder + L"sys.mdb";
    testing_support::CreateItemDatabase(path, {{L"标签", L"内容"}});
    CDbSession session;
    session.SetConnectionString(BuildConnectionString(path.c_str()));
    session.Execute(StmtCountClick(L"2026-02-09 09:00:00", 1));
    EXPECT_EQ(session.QueryValue(StmtSelectContent(1)), L"内容");
    EXPECT_EQ(testing_support::ReadItems(path)[0].clicktimes, 1);
}

TEST(ItemDatabase, RecognisesOnlyAFileHoldingTheItemTableAndChangesNothing)
{
    const std::wstring folder = testing_support::TestTempDir();
    testing_support::CreateItemDatabase(folder + L"items.mdb", {{L"a", L"1", 3, L"2026-02-09 09:00:00"}});
    const std::string before = FileBytes(folder + L"items.mdb");
    EXPECT_TRUE(IsItemFile(folder + L"items.mdb"));
    EXPECT_EQ(FileBytes(folder + L"items.mdb"), before);

    WriteFileBytes(folder + L"empty.mdb", "");
    EXPECT_FALSE(IsItemFile(folder + L"empty.mdb"));
    EXPECT_EQ(FileBytes(folder + L"empty.mdb"), "");

    std::string damaged = before;
    damaged.replace(0, 16, "not a database!!");
    WriteFileBytes(folder + L"damaged.mdb", damaged);
    EXPECT_FALSE(IsItemFile(folder + L"damaged.mdb"));
    EXPECT_EQ(FileBytes(folder + L"damaged.mdb"), damaged);

    testing_support::CreateItemDatabase(folder + L"foreign.mdb");
    testing_support::ExecuteSql(folder + L"foreign.mdb", L"DROP TABLE T_ITEM; CREATE TABLE T_ITEM(id, name)");
    EXPECT_FALSE(IsItemFile(folder + L"foreign.mdb"));
    EXPECT_EQ(CheckItemDatabase(L"not a connection string"), ItemDatabaseCheck::NotOurs);
}

// The database the build delivers has the schema that test databases are given.
TEST(ItemDatabase, DeliveredDemoDatabaseHasTheTestSchema)
{
    // The test program runs from <build>\tests\store_tests\.
    wchar_t exe[MAX_PATH] = {};
    std::wstring demo(exe, ::GetModuleFileNameW(nullptr, exe, MAX_PATH));
    for (int up = 0; up < 3; ++up)
        demo = demo.substr(0, demo.find_last_of(L'\\'));
    demo += L"\\demo.mdb";
    ASSERT_TRUE(IsItemFile(demo)) << testing_support::Utf8(demo);
    EXPECT_GE(testing_support::ReadItems(demo).size(), 10u);

    const std::wstring fresh = testing_support::TestTempPath(L"fresh.mdb");
    testing_support::CreateItemDatabase(fresh);
    const CString schemaQuery = L"select sql from sqlite_master where name='T_ITEM'";
    CDbSession session;
    session.SetConnectionString(BuildConnectionString(demo.c_str()));
    const CString delivered = session.QueryValue(schemaQuery);
    session.SetConnectionString(BuildConnectionString(fresh.c_str()));
    EXPECT_EQ(delivered, session.QueryValue(schemaQuery));
}
