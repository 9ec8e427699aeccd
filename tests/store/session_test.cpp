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
    CreateItems({{L"旧", L"旧内容"}});
    const CString title = L"it's 100% '' %s";
    const CString data1 = L"50% of 'x' \\ \"q\" \t 中文：‘引号’ 😀𠮷 ß½";
    m_session.Execute(StmtUpdateItem(title, data1, 1));
    EXPECT_EQ(m_session.QueryValue(StmtSelectContent(1)), data1);
    EXPECT_EQ(Items()[0], (StoredItem{1, title.str(), data1.str(), 0, std::nullopt}));
}

TEST_F(Session, ClicksCountAndStampOneItemUntilTheHistoryIsCleared)
{
    CreateItems({{L"a", L"甲", 2, L"2026-02-01 08:00:00"}, {L"b", L"乙"}});
    m_session.Execute(StmtCountClick(L"2026-02-09 09:00:00", 2));
    m_session.Execute(StmtCountClick(L"2026-02-09 09:00:05", 2));
    EXPECT_EQ(Items(), (std::vector<StoredItem>{{1, L"a", L"甲", 2, L"2026-02-01 08:00:00"},
                                                {2, L"b", L"乙", 2, L"2026-02-09 09:00:05"}}));
    m_session.Execute(StmtClearHistory());
    EXPECT_EQ(Items(),
              (std::vector<StoredItem>{{1, L"a", L"甲", 0, std::nullopt}, {2, L"b", L"乙", 0, std::nullopt}}));
}

TEST_F(Session, RejectedStatementLeavesExecuteQuietlyAndTheTableUnchanged)
{
    CreateItems({{L"a", L"甲", 3, L"2026-02-01 08:00:00"}});
    const std::vector<StoredItem> before = Items();
    EXPECT_FALSE(m_session.Execute(L"update T_ITEM set nosuchcolumn=1"));
    EXPECT_FALSE(m_session.Execute(L""));
    EXPECT_EQ(Items(), before);
    // The connection is closed: the file can be deleted at once.
    EXPECT_TRUE(::DeleteFileW(m_path.c_str()));
}

TEST_F(Session, ExecuteTellsTheRowsAStatementChangedNotThoseOfItsTriggers)
{
    CreateItems({{L"a", L"甲"}, {L"b", L"乙"}, {L"c", L"丙"}});
    ASSERT_TRUE(m_session.Execute(L"CREATE TRIGGER touched AFTER UPDATE OF title ON T_ITEM BEGIN "
                                  L"UPDATE T_ITEM SET clicktimes=clicktimes+1; END"));
    EXPECT_EQ(m_session.ExecuteChangingRows(StmtUpdateTitle(L"x", 2)), std::optional<int>(1));
    EXPECT_EQ(m_session.ExecuteChangingRows(StmtDeleteItems(L"1,2")), std::optional<int>(2));
    // The rows are gone: the statements run and change nothing.
    EXPECT_EQ(m_session.ExecuteChangingRows(StmtUpdateTitle(L"y", 2)), std::optional<int>(0));
    EXPECT_EQ(m_session.ExecuteChangingRows(StmtDeleteItems(L"1,2")), std::optional<int>(0));
    EXPECT_EQ(m_session.ExecuteChangingRows(L"update T_ITEM set nosuchcolumn=1"), std::nullopt);
    EXPECT_EQ(Items(), (std::vector<StoredItem>{{3, L"c", L"丙", 1, std::nullopt}}));
}

TEST_F(Session, TextHoldingMoreThanOneStatementIsRefused)
{
    CreateItems({{L"a", L"甲"}, {L"b", L"乙"}});
    const std::vector<StoredItem> before = Items();
    EXPECT_FALSE(m_session.Execute(L"update T_ITEM set title='x' where id=1;delete from T_ITEM;"));
    EXPECT_THROW(m_session.QueryValue(L"select data1 from T_ITEM where id=1; delete from T_ITEM"), CDbError);
    EXPECT_EQ(Items(), before);
    // Blanks, comments and a closing semicolon are still one statement.
    EXPECT_TRUE(m_session.Execute(L"  update T_ITEM set title='x' where id=1; -- renamed\n"));
    EXPECT_EQ(Items()[0].title, L"x");
}

TEST_F(Session, QueryValueGivesEmptyTextForNoRowAndRaisesWhatItCannotRun)
{
    CreateItems({{L"a", L"甲"}});
    m_session.Execute(StmtDeleteItems(L"1"));
    EXPECT_EQ(m_session.QueryValue(StmtSelectContent(1)), L"");
    try {
        m_session.QueryValue(L"select data1 from NO_TABLE");
        ADD_FAILURE() << "no failure raised";
    } catch (const CDbError& error) {
        EXPECT_NE(error.Message().str().find(L"NO_TABLE"), std::wstring::npos) << error.what();
        EXPECT_EQ(ErrorInfoText(error), L"错误信息:" + error.Message());
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
    EXPECT_EQ(batch.Run(StmtInsertImported(L"x")), CStatementBatch::Outcome::NotConnected);
    EXPECT_EQ(CheckItemDatabase(ConnStr()), ItemDatabaseCheck::NotOurs);
    EXPECT_EQ(::GetFileAttributesW(m_path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Session, AnUpdateValueCannotBreakOutOfItsLiteral)
{
    struct Attempt {
        const wchar_t* title;
        const wchar_t* stored;  // as the engine keeps it
        const char* why;
    };
    const Attempt attempts[] = {
        {L"', data1='x' where 1=1 --", L"', data1='x' where 1=1 --", "a plain quote"},
        {L"😀', data1=char(120) where 1=1 --", L"😀', data1=char(120) where 1=1 --",
         "a quote right after a surrogate pair"},
        {L"𠮷'", L"𠮷'", "a surrogate pair, then the quote last"},
        // The engine joins a surrogate with whatever unit follows it: a stray one must not take a
        // quote with it. Having no character to store, it is stored as U+FFFD.
        {L"\xD83D', data1=char(120) where 1=1 --", L"\xFFFD', data1=char(120) where 1=1 --",
         "a high surrogate without its pair, then a quote"},
        {L"\xDE00'", L"\xFFFD'", "a low surrogate alone, then a quote"},
        {L"pair cut last\xD83D", L"pair cut last\xFFFD", "a high surrogate right before the closing quote"},
    };
    for (const Attempt& attempt : attempts) {
        CreateItems({{L"one", L"第一"}, {L"two", L"第二"}});
        m_session.Execute(StmtUpdateItem(attempt.title, L"safe", 1));
        std::vector<StoredItem> rows = Items();
        ASSERT_EQ(rows.size(), 2u);
        // The value lands where it was meant to, and nowhere else.
        EXPECT_EQ(rows[0], (StoredItem{1, attempt.stored, L"safe", 0, std::nullopt})) << attempt.why;
        EXPECT_EQ(rows[1], (StoredItem{2, L"two", L"第二", 0, std::nullopt})) << attempt.why;
    }
}

TEST_F(Session, ValuesConvertToTextAndNumbers)
{
    CreateItems({{std::nullopt, L"12abc", 42, std::nullopt}});
    EXPECT_EQ(m_session.QueryValue(L"select title from T_ITEM"), L"");
    EXPECT_EQ(m_session.QueryValue(L"select clicktimes from T_ITEM"), L"42");
    EXPECT_EQ(m_session.QueryValue(L"select clicktimes/16.0 from T_ITEM"), L"2.625");
    EXPECT_EQ(m_session.ValueToText(CDbValue::Text(L"")), L"");
    EXPECT_EQ(m_session.ValueToText(CDbValue::Text(L"\x5C31\x7EEA\xD83D\xDE00")), L"就绪😀");
    EXPECT_EQ(m_session.ValueToText(CDbValue::Real(0.1)), L"0.1");
    EXPECT_EQ(m_session.ValueToText(CDbValue::Real(-3.0)), L"-3");

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
    CreateItems({{L"a", L"甲"}, {L"b", L"乙"}, {L"c", L"丙"}});
    m_session.Execute(StmtDeleteItems(L"2,3"));
    m_session.Execute(StmtInsertImported(L"丁"));
    EXPECT_EQ(Items(),
              (std::vector<StoredItem>{{1, L"a", L"甲", 0, std::nullopt}, {4, L"", L"丁", 0, std::nullopt}}));
}
