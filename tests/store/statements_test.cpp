// The statement catalogue's texts and the literal rule, as plain text.
#include "store/statements.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(Statements, CatalogueTextsAreExact)
{
    EXPECT_EQ(StmtSelectItems(kHeatOrder),
              "SELECT id,title,data1 FROM T_ITEM order by clicktimes desc,lasttime desc");
    EXPECT_EQ(StmtSelectContent(-12), "select data1 from T_ITEM where id=-12");
    EXPECT_EQ(StmtCountClick("2026-02-09 09:00:00", 7),
              "update T_ITEM set clicktimes=clicktimes+1,lasttime='2026-02-09 09:00:00' where id=7");
    EXPECT_EQ(StmtClearHistory(), "update T_ITEM set clicktimes=0,lasttime=NULL");
    EXPECT_EQ(StmtSelectNewestFirst(), "SELECT id,title,data1 FROM T_ITEM order by id desc");
    EXPECT_EQ(StmtUpdateItem("it's", "%s 内容", 3),
              "update T_ITEM set title='it''s',data1='%s 内容' where id=3");
    EXPECT_EQ(StmtUpdateTitle("it's", 3), "update T_ITEM set title='it''s' where id=3");
    EXPECT_EQ(StmtUpdateData1("%d '内容'", 3), "update T_ITEM set data1='%d ''内容''' where id=3");
    EXPECT_EQ(StmtDeleteItems("3,7,12"), "delete from T_ITEM where id in(3,7,12)");
    EXPECT_EQ(StmtInsertImported("''"), "insert into T_ITEM(title,data1) values('','''''')");
    EXPECT_EQ(StmtInsertItem("it's", "一\r\n'二'"),
              "insert into T_ITEM(title,data1) values('it''s','一\r\n''二''')")
        << "a typed item: its label, and its line breaks as typed";
}

TEST(SqlEscape, DoublesQuotesAndLeavesEverythingElse)
{
    EXPECT_EQ(SqlEscape("it's"), "it''s");
    EXPECT_EQ(SqlEscape("C:\\dir \"x\" 100% \t 中文，标点"), "C:\\dir \"x\" 100% \t 中文，标点");
}

// The engine's conversion joins a lead byte with any byte after it, so a quote right after a stray
// lead byte is no quote for the engine: the reason SqlEscape looks at the converted value.
TEST(SqlEscape, ConverterSwallowsAQuoteAfterAStrayLeadByte)
{
    wchar_t wide[4] = {};
    int length = ::MultiByteToWideChar(CP_ACP, 0, "\x81'", 2, wide, 4);
    EXPECT_EQ(std::wstring(wide, static_cast<size_t>(length)).find(L'\''), std::wstring::npos);
}
