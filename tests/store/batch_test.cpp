// CStatementBatch over a real file: groups, failures, insert ids and what is left uncommitted.
#include "store/batch.h"
#include "store/statements.h"
#include "tests/store/store_fixture.h"

using Outcome = CStatementBatch::Outcome;
using testing_support::StoredItem;
using Batch = StoreTest;

TEST_F(Batch, CommitsEveryFullGroupAndTheRestOnFinish)
{
    CreateItems({});
    CStatementBatch batch(ConnStr());
    const int total = CStatementBatch::kGroupSize + 5;
    for (int line = 1; line <= total; ++line)
        ASSERT_EQ(batch.Run(StmtInsertImported((L"第" + std::to_wstring(line) + L"行").c_str())), Outcome::Ran);
    EXPECT_EQ(batch.Pending(), 5);
    EXPECT_EQ(batch.Committed(), CStatementBatch::kGroupSize);
    // Another connection sees the committed group, not the open one.
    EXPECT_EQ(Items().size(), static_cast<size_t>(CStatementBatch::kGroupSize));

    EXPECT_TRUE(batch.Finish());
    EXPECT_EQ(batch.Committed(), total);
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

TEST_F(Batch, FailingStatementStopsTheBatchButKeepsItsGroup)
{
    CreateItems({});
    CStatementBatch batch(ConnStr());
    EXPECT_EQ(batch.Run(StmtInsertImported(L"one")), Outcome::Ran);
    EXPECT_EQ(batch.Run(StmtInsertImported(L"two")), Outcome::Ran);
    EXPECT_EQ(batch.Run(L"insert into T_ITEM(nosuchcolumn) values(1)"), Outcome::StatementFailed);
    EXPECT_EQ(batch.Run(StmtInsertImported(L"three")), Outcome::NotConnected);
    EXPECT_EQ(batch.Pending(), 2);
    EXPECT_TRUE(batch.Finish());
    EXPECT_EQ(batch.Committed(), 2);
    EXPECT_EQ(Items().size(), 2u);
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
