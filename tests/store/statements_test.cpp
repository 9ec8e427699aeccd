// The statement catalogue run against a real table, and the literal rule.
#include "store/statements.h"
#include "tests/store/store_fixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <windows.h>

using testing_support::StoredItem;

class Statements : public StoreTest {};
using EscapedStatement = StoreTest;

// Each statement that changes the table, run alone on the same three items, changes exactly what
// its name says. (The two list queries are held by the row query tests.)
TEST_F(Statements, EachDoesWhatItsNameSaysOnARealTable)
{
    const std::vector<StoredItem> before = {{1, L"甲", L"内容一", 5, L"2026-01-01 10:00:00"},
                                            {2, L"乙", L"内容二", 0, std::nullopt},
                                            {3, L"丙", L"内容三", 2, L"2026-01-02 10:00:00"}};
    struct Case {
        const char* what;
        CString statement;
        std::function<void(std::vector<StoredItem>&)> change;
    };
    const Case cases[] = {
        {"count a click", StmtCountClick(L"2026-02-09 09:00:00", 2),
         [](auto& rows) { rows[1].clicktimes = 1, rows[1].lasttime = L"2026-02-09 09:00:00"; }},
        {"clear the history", StmtClearHistory(),
         [](auto& rows) {
             for (StoredItem& row : rows)
                 row.clicktimes = 0, row.lasttime.reset();
         }},
        {"update both fields", StmtUpdateItem(L"it's", L"%s 内容", 3),
         [](auto& rows) { rows[2].title = L"it's", rows[2].data1 = L"%s 内容"; }},
        {"update the label alone", StmtUpdateTitle(L"it's", 3), [](auto& rows) { rows[2].title = L"it's"; }},
        {"update the content alone", StmtUpdateData1(L"%d '内容'", 3),
         [](auto& rows) { rows[2].data1 = L"%d '内容'"; }},
        {"delete by ids", StmtDeleteItems(L"3,1"), [](auto& rows) { rows = {rows[1]}; }},
        {"insert an imported line", StmtInsertImported(L"''"),
         [](auto& rows) { rows.push_back({4, L"", L"''", 0, std::nullopt}); }},
        {"insert a typed item, its line breaks as typed", StmtInsertItem(L"it's", L"一\r\n'二'"),
         [](auto& rows) { rows.push_back({4, L"it's", L"一\r\n'二'", 0, std::nullopt}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreateItems({{L"甲", L"内容一", 5, L"2026-01-01 10:00:00"},
                     {L"乙", L"内容二"},
                     {L"丙", L"内容三", 2, L"2026-01-02 10:00:00"}});
        ASSERT_EQ(Items(), before);
        m_session.Execute(c.statement);
        std::vector<StoredItem> expected = before;
        c.change(expected);
        EXPECT_EQ(Items(), expected);
    }
    EXPECT_EQ(m_session.QueryValue(StmtSelectContent(3)), L"内容三") << "a click reads its item's content";
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
