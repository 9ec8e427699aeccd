// The statement catalogue run against a real table, and the literal rule.
#include "store/statements.h"
#include "tests/store/store_fixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <windows.h>

using testing_support::StoredItem;

class Statements : public StoreTest {};

// Each statement that changes the table, run alone on the same three items, changes exactly what
// its name says. (The two list queries are held by the row query tests.)
TEST_F(Statements, EachDoesWhatItsNameSaysOnARealTable)
{
    const std::vector<StoredItem> before = {{1, "甲", "内容一", 5, "2026-01-01 10:00:00"},
                                            {2, "乙", "内容二", 0, std::nullopt},
                                            {3, "丙", "内容三", 2, "2026-01-02 10:00:00"}};
    struct Case {
        const char* what;
        CString statement;
        std::function<void(std::vector<StoredItem>&)> change;
    };
    const Case cases[] = {
        {"count a click", StmtCountClick("2026-02-09 09:00:00", 2),
         [](auto& rows) { rows[1].clicktimes = 1, rows[1].lasttime = "2026-02-09 09:00:00"; }},
        {"clear the history", StmtClearHistory(),
         [](auto& rows) {
             for (StoredItem& row : rows)
                 row.clicktimes = 0, row.lasttime.reset();
         }},
        {"update both fields", StmtUpdateItem("it's", "%s 内容", 3),
         [](auto& rows) { rows[2].title = "it's", rows[2].data1 = "%s 内容"; }},
        {"update the label alone", StmtUpdateTitle("it's", 3), [](auto& rows) { rows[2].title = "it's"; }},
        {"update the content alone", StmtUpdateData1("%d '内容'", 3),
         [](auto& rows) { rows[2].data1 = "%d '内容'"; }},
        {"delete by ids", StmtDeleteItems("3,1"), [](auto& rows) { rows = {rows[1]}; }},
        {"insert an imported line", StmtInsertImported("''"),
         [](auto& rows) { rows.push_back({4, "", "''", 0, std::nullopt}); }},
        {"insert a typed item, its line breaks as typed", StmtInsertItem("it's", "一\r\n'二'"),
         [](auto& rows) { rows.push_back({4, "it's", "一\r\n'二'", 0, std::nullopt}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreateItems({{"甲", "内容一", 5, "2026-01-01 10:00:00"},
                     {"乙", "内容二"},
                     {"丙", "内容三", 2, "2026-01-02 10:00:00"}});
        ASSERT_EQ(Items(), before);
        m_session.Execute(c.statement);
        std::vector<StoredItem> expected = before;
        c.change(expected);
        EXPECT_EQ(Items(), expected);
    }
    EXPECT_EQ(m_session.QueryValue(StmtSelectContent(3)), "内容三") << "a click reads its item's content";
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
