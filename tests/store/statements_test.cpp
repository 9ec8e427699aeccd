// The statement catalogue's texts and the literal rule, as plain text and in a real table.
#include "store/statements.h"
#include "tests/store/store_fixture.h"

#include <gtest/gtest.h>
#include <windows.h>

using EscapedStatement = StoreTest;

TEST(Statements, CatalogueTextsAreExact)
{
    EXPECT_EQ(StmtSelectItems(kHeatOrder),
              L"SELECT id,title,data1 FROM T_ITEM order by clicktimes desc,lasttime desc");
    EXPECT_EQ(StmtSelectContent(-12), L"select data1 from T_ITEM where id=-12");
    EXPECT_EQ(StmtCountClick(L"2026-02-09 09:00:00", 7),
              L"update T_ITEM set clicktimes=clicktimes+1,lasttime='2026-02-09 09:00:00' where id=7");
    EXPECT_EQ(StmtClearHistory(), L"update T_ITEM set clicktimes=0,lasttime=NULL");
    EXPECT_EQ(StmtSelectNewestFirst(), L"SELECT id,title,data1 FROM T_ITEM order by id desc");
    EXPECT_EQ(StmtUpdateItem(L"it's", L"%s 内容", 3),
              L"update T_ITEM set title='it''s',data1='%s 内容' where id=3");
    EXPECT_EQ(StmtUpdateTitle(L"it's", 3), L"update T_ITEM set title='it''s' where id=3");
    EXPECT_EQ(StmtUpdateData1(L"%d '内容'", 3), L"update T_ITEM set data1='%d ''内容''' where id=3");
    EXPECT_EQ(StmtDeleteItems(L"3,7,12"), L"delete from T_ITEM where id in(3,7,12)");
    EXPECT_EQ(StmtInsertImported(L"''"), L"insert into T_ITEM(title,data1) values('','''''')");
    EXPECT_EQ(StmtInsertItem(L"it's", L"一\r\n'二'"),
              L"insert into T_ITEM(title,data1) values('it''s','一\r\n''二''')")
        << "a typed item: its label, and its line breaks as typed";
}

TEST(SqlEscape, DoublesQuotesAndLeavesEverythingElse)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* escaped;
        const char* why;
    };
    const Case cases[] = {
        {L"it's", L"it''s", "a quote doubled"},
        {L"C:\\dir \"x\" 100% \t 中文，标点", L"C:\\dir \"x\" 100% \t 中文，标点", "nothing else touched"},
        {L"😀'𠮷'", L"😀''𠮷''", "a quote right after a surrogate pair doubled, the pairs kept whole"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SqlEscape(c.text).str(), c.escaped) << c.why;
}

TEST_F(EscapedStatement, StoresQuotesAfterSurrogatePairsExactly)
{
    CreateItems({});
    ASSERT_TRUE(m_session.Execute(StmtInsertItem(L"😀'𠮷'", L"'😀''")));
    EXPECT_EQ(Items(), (std::vector<testing_support::StoredItem>{{1, L"😀'𠮷'", L"'😀''", 0, std::nullopt}}));
}
