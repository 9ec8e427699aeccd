// CStatementBatch over a real file: one transaction, failures, insert ids and what is left uncommitted.
#include "store/batch.h"
#include "store/rowquery.h"
#include "store/statements.h"
#include "tests/store/store_fixture.h"

using Outcome = CStatementBatch::Outcome;
using testing_support::StoredItem;
using Batch = StoreTest;

TEST_F(Batch, NothingLandsBeforeFinishThenEverythingAtOnce)
{
    CreateItems({});
    CStatementBatch batch(ConnStr());
    const int total = 2500;
    for (int line = 1; line <= total; ++line)
        ASSERT_EQ(batch.Run(StmtInsertImported((L"第" + std::to_wstring(line) + L"行").c_str())), Outcome::Ran);
    EXPECT_EQ(batch.Pending(), total);
    // Another connection sees none of it while it is open, however long it is.
    EXPECT_TRUE(Items().empty());

    EXPECT_TRUE(batch.Finish());
    std::vector<StoredItem> rows = Items();
    ASSERT_EQ(rows.size(), static_cast<size_t>(total));
    EXPECT_EQ(rows.back(), (StoredItem{total, L"", L"第" + std::to_wstring(total) + L"行", 0, std::nullopt}));
}

TEST_F(Batch, ReportsTheIdOfEachInsertedRow)
{
    CreateItems({{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}});
    m_session.Execute(StmtDeleteItems(L"3"));
    CStatementBatch batch(ConnStr());
    long long id = -1;
    EXPECT_EQ(batch.Run(StmtInsertImported(L"it's"), &id), Outcome::Ran);
    EXPECT_EQ(id, 4);
    EXPECT_EQ(batch.Run(StmtInsertImported(L"100%"), &id), Outcome::Ran);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(batch.Run(StmtClearHistory(), &id), Outcome::Ran);
    EXPECT_EQ(id, 0);
    EXPECT_TRUE(batch.Finish());
    EXPECT_EQ(Items().back(), (StoredItem{5, L"", L"100%", 0, std::nullopt}));
}

TEST_F(Batch, AFailingStatementUndoesWhatRanBeforeItAndStopsTheBatch)
{
    CreateItems({{L"a", L"1"}});
    CStatementBatch batch(ConnStr());
    EXPECT_EQ(batch.Run(StmtInsertImported(L"one")), Outcome::Ran);
    EXPECT_EQ(batch.Run(StmtInsertImported(L"two")), Outcome::Ran);
    EXPECT_EQ(batch.FailureCode(), 0);
    EXPECT_EQ(batch.Run(L"insert into T_ITEM(nosuchcolumn) values(1)"), Outcome::Failed);
    EXPECT_NE(batch.FailureCode(), 0);
    EXPECT_EQ(batch.Run(StmtInsertImported(L"three")), Outcome::NotConnected);
    EXPECT_FALSE(batch.Finish()) << "a stopped batch is not reported as committed";
    EXPECT_EQ(Items(), (std::vector<StoredItem>{{1, L"a", L"1", 0, std::nullopt}}));

    CStatementBatch unopened(BuildConnectionString(testing_support::TestTempPath(L"missing.mdb").c_str()));
    EXPECT_NE(unopened.FailureCode(), 0);
    EXPECT_FALSE(unopened.Finish()) << "nor one whose connection never opened, though nothing ran";
}

TEST_F(Batch, WhatFinishDidNotCommitIsRolledBack)
{
    CreateItems({{L"a", L"1"}});
    {
        CStatementBatch batch(ConnStr());
        EXPECT_EQ(batch.Run(StmtInsertImported(L"one")), Outcome::Ran);
        EXPECT_EQ(batch.Run(StmtDeleteItems(L"1")), Outcome::Ran);
    }
    EXPECT_EQ(Items(), (std::vector<StoredItem>{{1, L"a", L"1", 0, std::nullopt}}));
}

TEST_F(Batch, ValuesGoIntoParametersAsGivenAndAQueryInsideSeesWhatTheBatchRan)
{
    CreateItems({{L"a", L"1"}});
    auto item = [](const wchar_t* title, const wchar_t* data1, int clicks,
                   std::optional<const wchar_t*> time) {
        return std::vector<CDbValue>{CDbValue::Text(title), CDbValue::Text(data1), CDbValue::Integer(clicks),
                                     time ? CDbValue::Text(*time) : CDbValue()};
    };
    {
        CStatementBatch batch(ConnStr());
        long long id = 0;
        // Half of 😀 alone is stored as U+FFFD, as the literal rule stores it; nothing else changes.
        EXPECT_EQ(batch.Run(StmtInsertWholeItem(),
                            item(L"it's", L"一\r\n\"二\",😀\xD83D", 7, L"2026-01-02 03:04:00"), &id),
                  Outcome::Ran);
        EXPECT_EQ(id, 2);
        EXPECT_EQ(batch.Run(StmtInsertWholeItem(), item(L"", L"?1", 0, std::nullopt), &id), Outcome::Ran);
        EXPECT_EQ(id, 3);
        std::vector<std::wstring> seen;
        EXPECT_EQ(batch.Query(StmtSelectItemTexts(), {CDbValue::Integer(2)},
                              [&](const CDbRow& row) {
                                  seen.push_back(row.Value(0).AsText() + L"|" + row.Value(1).AsText());
                              }),
                  Outcome::Ran);
        EXPECT_EQ(seen, std::vector<std::wstring>{L"it's|一\r\n\"二\",😀\xFFFD"})
            << "the batch's own insert, uncommitted";
        EXPECT_EQ(Items().size(), 1u) << "another connection sees nothing yet";
        EXPECT_TRUE(batch.Finish());
    }
    EXPECT_EQ(Items(),
              (std::vector<StoredItem>{{1, L"a", L"1", 0, std::nullopt},
                                       {2, L"it's", L"一\r\n\"二\",😀\xFFFD", 7, L"2026-01-02 03:04:00"},
                                       {3, L"", L"?1", 0, std::nullopt}}));

    CStatementBatch mismatched(ConnStr());
    EXPECT_EQ(mismatched.Run(StmtInsertWholeItem(), item(L"b", L"2", 0, std::nullopt)), Outcome::Ran);
    EXPECT_EQ(mismatched.Run(StmtInsertWholeItem(), {CDbValue::Text(L"too few")}), Outcome::Failed)
        << "values that do not fit the parameters";
    EXPECT_FALSE(mismatched.Finish());
    EXPECT_EQ(Items().size(), 3u) << "the insert before the failure went too";
}
