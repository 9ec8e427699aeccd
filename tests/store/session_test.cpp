// CDbSession against a real SQLite file: statements run, failures stay quiet, values convert.
#include "store/batch.h"
#include "store/dberror.h"
#include "store/rowquery.h"
#include "store/statements.h"
#include "tests/store/store_fixture.h"

#include <climits>

using testing_support::StoredItem;
using Session = StoreTest;

TEST_F(Session, ApostrophesAndPercentSignsRoundTrip)
{
    CreateItems({{"旧", "旧内容"}});
    const CString title = "it's 100% '' %s";
    const CString data1 = "50% of 'x' \\ \"q\" \t 中文：‘引号’";
    m_session.Execute(StmtUpdateItem(title, data1, 1));
    EXPECT_EQ(m_session.QueryValue(StmtSelectContent(1)), data1);
    EXPECT_EQ(Items()[0], (StoredItem{1, title.str(), data1.str(), 0, std::nullopt}));
}

TEST_F(Session, ClicksCountAndStampOneItemUntilTheHistoryIsCleared)
{
    CreateItems({{"a", "甲", 2, "2026-02-01 08:00:00"}, {"b", "乙"}});
    m_session.Execute(StmtCountClick("2026-02-09 09:00:00", 2));
    m_session.Execute(StmtCountClick("2026-02-09 09:00:05", 2));
    EXPECT_EQ(Items(), (std::vector<StoredItem>{{1, "a", "甲", 2, "2026-02-01 08:00:00"},
                                                {2, "b", "乙", 2, "2026-02-09 09:00:05"}}));
    m_session.Execute(StmtClearHistory());
    EXPECT_EQ(Items(),
              (std::vector<StoredItem>{{1, "a", "甲", 0, std::nullopt}, {2, "b", "乙", 0, std::nullopt}}));
}

TEST_F(Session, RejectedStatementLeavesExecuteQuietlyAndTheTableUnchanged)
{
    CreateItems({{"a", "甲", 3, "2026-02-01 08:00:00"}});
    const std::vector<StoredItem> before = Items();
    EXPECT_FALSE(m_session.Execute("update T_ITEM set nosuchcolumn=1"));
    EXPECT_FALSE(m_session.Execute(""));
    EXPECT_EQ(Items(), before);
    // The connection is closed: the file can be deleted at once.
    EXPECT_TRUE(::DeleteFileA(m_path.c_str()));
}

TEST_F(Session, TextHoldingMoreThanOneStatementIsRefused)
{
    CreateItems({{"a", "甲"}, {"b", "乙"}});
    const std::vector<StoredItem> before = Items();
    EXPECT_FALSE(m_session.Execute("update T_ITEM set title='x' where id=1;delete from T_ITEM;"));
    EXPECT_THROW(m_session.QueryValue("select data1 from T_ITEM where id=1; delete from T_ITEM"), CDbError);
    EXPECT_EQ(Items(), before);
    // Blanks, comments and a closing semicolon are still one statement.
    EXPECT_TRUE(m_session.Execute("  update T_ITEM set title='x' where id=1; -- renamed\n"));
    EXPECT_EQ(Items()[0].title, "x");
}

TEST_F(Session, QueryValueGivesEmptyTextForNoRowAndRaisesWhatItCannotRun)
{
    CreateItems({{"a", "甲"}});
    m_session.Execute(StmtDeleteItems("1"));
    EXPECT_EQ(m_session.QueryValue(StmtSelectContent(1)), "");
    try {
        m_session.QueryValue("select data1 from NO_TABLE");
        ADD_FAILURE() << "no failure raised";
    } catch (const CDbError& error) {
        EXPECT_NE(std::string(error.Message()).find("NO_TABLE"), std::string::npos)
            << (LPCSTR)error.Message();
        EXPECT_EQ(ErrorInfoText(error), "错误信息:" + error.Message());
    }
}

TEST_F(Session, MissingFileIsNeverCreated)
{
    m_session.Execute(StmtClearHistory());
    EXPECT_THROW(m_session.QueryValue(StmtSelectContent(1)), CDbError);
    bool rowSeen = false;
    RunRowQuery(ConnStr(), StmtSelectNewestFirst(), [&](const CDbRow&) { rowSeen = true; });
    EXPECT_FALSE(rowSeen);
    CStatementBatch batch(ConnStr());
    EXPECT_EQ(batch.Run(StmtInsertImported("x")), CStatementBatch::Outcome::NotConnected);
    EXPECT_FALSE(IsItemDatabase(ConnStr()));
    EXPECT_EQ(::GetFileAttributesA(m_path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Session, AnUpdateValueCannotBreakOutOfItsLiteral)
{
    // The value lands where it was meant to, and nowhere else. A stray lead byte and the byte after
    // it are one character to the engine, stored as "?"; the quote it swallows ends nothing.
    const std::pair<std::string, std::string> attempts[] = {
        {"', data1='x' where 1=1 --", "', data1='x' where 1=1 --"},
        {"\x81', data1=char(120) where 1=1 --", "?, data1=char(120) where 1=1 --"},
        {"\xE9', data1=char(120) where 1=1 --", "?, data1=char(120) where 1=1 --"},
        {"\x81'", "?"},
        {"\xE9'", "?"},
        {"lead byte last\x81", "lead byte last?"},
    };
    for (const auto& [attempt, stored] : attempts) {
        CreateItems({{"one", "第一"}, {"two", "第二"}});
        m_session.Execute(StmtUpdateItem(attempt.c_str(), "safe", 1));
        std::vector<StoredItem> rows = Items();
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0], (StoredItem{1, stored, "safe", 0, std::nullopt})) << attempt;
        EXPECT_EQ(rows[1], (StoredItem{2, "two", "第二", 0, std::nullopt})) << attempt;
    }
}

TEST_F(Session, ValuesConvertToTextAndNumbers)
{
    CreateItems({{std::nullopt, "12abc", 42, std::nullopt}});
    EXPECT_EQ(m_session.QueryValue("select title from T_ITEM"), "");
    EXPECT_EQ(m_session.QueryValue("select clicktimes from T_ITEM"), "42");
    EXPECT_EQ(m_session.QueryValue("select clicktimes/16.0 from T_ITEM"), "2.625");
    EXPECT_EQ(m_session.ValueToText(CDbValue::Text(L"")), "");
    EXPECT_EQ(m_session.ValueToText(CDbValue::Text(L"\x5C31\x7EEA")), "就绪");
    EXPECT_EQ(m_session.ValueToText(CDbValue::Real(0.1)), "0.1");
    EXPECT_EQ(m_session.ValueToText(CDbValue::Real(-3.0)), "-3");

    EXPECT_EQ(m_session.ValueToInt(CDbValue()), 0);
    EXPECT_EQ(m_session.ValueToInt(CDbValue::Integer(42)), 42);
    EXPECT_EQ(m_session.ValueToInt(CDbValue::Text(L"12abc")), 12);
    EXPECT_EQ(m_session.ValueToInt(CDbValue::Text(L"abc")), 0);
    EXPECT_EQ(m_session.ValueToInt(CDbValue::Text(L"  -7 days")), -7);
    // Beyond 32 bits the number is held at the bounds.
    EXPECT_EQ(m_session.ValueToInt(CDbValue::Text(L"99999999999")), INT_MAX);
    EXPECT_EQ(m_session.ValueToInt(CDbValue::Integer(-9000000000LL)), INT_MIN);
}

TEST_F(Session, IdsKeepGrowingAfterADelete)
{
    CreateItems({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}});
    m_session.Execute(StmtDeleteItems("2,3"));
    m_session.Execute(StmtInsertImported("丁"));
    EXPECT_EQ(Items(),
              (std::vector<StoredItem>{{1, "a", "甲", 0, std::nullopt}, {4, "", "丁", 0, std::nullopt}}));
}
