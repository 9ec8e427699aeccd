// The row query over a real file: order, columns by index, and quiet ends.
#include "store/heatindex.h"
#include "store/rowquery.h"
#include "store/schemaobjects.h"
#include "store/statements.h"
#include "tests/store/store_fixture.h"

class RowQuery : public StoreTest {
protected:
    // "id title data1" of every row, in the order handed over.
    std::vector<std::wstring> List(const CString& statement)
    {
        std::vector<std::wstring> rows;
        RunRowQuery(ConnStr(), statement, [&](const CDbRow& row) {
            rows.push_back(std::to_wstring(m_session.ValueToInt(row.Value(0))) + L" " +
                           m_session.ValueToText(row.Value(1)).str() + L" " +
                           m_session.ValueToText(row.Value(2)).str());
        });
        return rows;
    }
};

TEST_F(RowQuery, HeatOrderPutsCountsFirstThenLatestCopyWithNeverCopiedLast)
{
    CreateItems({{L"a", L"1", 5, std::nullopt},
                 {L"b", L"2", 9, std::nullopt},
                 {L"c", L"3", 5, L"2026-02-09 09:00:00"},
                 {std::nullopt, L"4", 5, L"2026-02-10 08:00:00"},
                 {L"e", L"5", 0, std::nullopt},
                 {L"f", L"内容😀", 5, L"2026-02-09 10:00:00"}});
    EXPECT_EQ(List(StmtSelectHotRows()),
              (std::vector<std::wstring>{L"2 b 2", L"4  4", L"6 f 内容😀", L"3 c 3", L"1 a 1", L"5 e 5"}));
    // The first screenful, read through the index, agrees on every place.
    EXPECT_EQ(List(StmtSelectHotRows(4)), (std::vector<std::wstring>{L"2 b 2", L"4  4", L"6 f 内容😀", L"3 c 3"}));
}

TEST_F(RowQuery, TheFirstRowsComeThroughTheHeatIndexWhichAFileMadeBeforeItIsGiven)
{
    CreateItems({{L"a", L"1", 5, std::nullopt}, {L"b", L"2", 9, std::nullopt}});
    auto plan = [&](const CString& statement) {
        std::wstring details;
        RunRowQuery(ConnStr(), L"EXPLAIN QUERY PLAN " + statement,
                    [&](const CDbRow& row) { details += m_session.ValueToText(row.Value(3)).str() + L";"; });
        return details;
    };
    EXPECT_NE(plan(StmtSelectHotRows(17)).find(L"USING INDEX I_ITEM_HEAT"), std::wstring::npos);
    // All of them are read through the table and sorted: through the index takes twice as long.
    EXPECT_EQ(plan(StmtSelectHotRows()).find(L"I_ITEM_HEAT"), std::wstring::npos);

    m_session.Execute(L"DROP INDEX I_ITEM_HEAT");
    EXPECT_EQ(m_session.QueryValue(StmtCountSchemaObjects(kHeatIndexName)), L"0");
    CHeatIndexMaker maker;
    maker.Start(ConnStr());
    maker.Wait();
    EXPECT_EQ(m_session.QueryValue(StmtCountSchemaObjects(kHeatIndexName)), L"1");
    EXPECT_NE(plan(StmtSelectHotRows(17)).find(L"USING INDEX I_ITEM_HEAT"), std::wstring::npos);
}

TEST_F(RowQuery, NewestFirstListsByDescendingId)
{
    CreateItems({{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}});
    m_session.Execute(StmtDeleteItems(L"2"));
    m_session.Execute(StmtInsertImported(L"4"));
    EXPECT_EQ(List(StmtSelectNewestFirst()), (std::vector<std::wstring>{L"4  4", L"3 c 3", L"1 a 1"}));
}

TEST_F(RowQuery, RejectedStatementHandsOverNoRows)
{
    CreateItems({{L"a", L"1"}});
    EXPECT_TRUE(List(L"SELECT id,nosuchcolumn,data1 FROM T_ITEM").empty());
    EXPECT_TRUE(List(L"SELECT id,title,data1 FROM T_ITEM; DELETE FROM T_ITEM").empty());
    EXPECT_EQ(Items().size(), 1u);
}

TEST_F(RowQuery, AFailureWhileWalkingKeepsTheRowsAlreadyHandedOver)
{
    CreateItems({{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}});
    std::vector<int> seen;
    // Reading a column the statement does not have fails on the second row's turn.
    RunRowQuery(ConnStr(), StmtSelectNewestFirst(), [&](const CDbRow& row) {
        seen.push_back(m_session.ValueToInt(row.Value(0)));
        if (seen.size() == 2)
            row.Value(3);
    });
    EXPECT_EQ(seen, (std::vector<int>{3, 2}));
    // The connection is closed afterwards: the file can be deleted at once.
    EXPECT_TRUE(::DeleteFileW(m_path.c_str()));
}
