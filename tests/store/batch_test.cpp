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
        ASSERT_EQ(batch.Run(StmtInsertImported(("第" + std::to_string(line) + "行").c_str())), Outcome::Ran);
    EXPECT_EQ(batch.Pending(), 5);
    EXPECT_EQ(batch.Committed(), CStatementBatch::kGroupSize);
    // Another connection sees the committed group, not the open one.
    EXPECT_EQ(Items().size(), static_cast<size_t>(CStatementBatch::kGroupSize));

    EXPECT_TRUE(batch.Finish());
    EXPECT_EQ(batch.Committed(), total);
    std::vector<StoredItem> rows = Items();
    ASSERT_EQ(rows.size(), static_cast<size_t>(total));
    EXPECT_EQ(rows.back(), (StoredItem{total, "", "第" + std::to_string(total) + "行", 0, std::nullopt}));
}

TEST_F(Batch, ReportsTheIdOfEachInsertedRow)
{
    CreateItems({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    m_session.Execute(StmtDeleteItems("3"));
    CStatementBatch batch(ConnStr());
    long long id = -1;
    EXPECT_EQ(batch.Run(StmtInsertImported("it's"), &id), Outcome::Ran);
    EXPECT_EQ(id, 4);
    EXPECT_EQ(batch.Run(StmtInsertImported("100%"), &id), Outcome::Ran);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(batch.Run(StmtClearHistory(), &id), Outcome::Ran);
    EXPECT_EQ(id, 0);
    EXPECT_TRUE(batch.Finish());
    EXPECT_EQ(Items().back(), (StoredItem{5, "", "100%", 0, std::nullopt}));
}

TEST_F(Batch, FailingStatementStopsTheBatchButKeepsItsGroup)
{
    CreateItems({});
    CStatementBatch batch(ConnStr());
    EXPECT_EQ(batch.Run(StmtInsertImported("one")), Outcome::Ran);
    EXPECT_EQ(batch.Run(StmtInsertImported("two")), Outcome::Ran);
    EXPECT_EQ(batch.Run("insert into T_ITEM(nosuchcolumn) values(1)"), Outcome::StatementFailed);
    EXPECT_EQ(batch.Run(StmtInsertImported("three")), Outcome::NotConnected);
    EXPECT_EQ(batch.Pending(), 2);
    EXPECT_TRUE(batch.Finish());
    EXPECT_EQ(batch.Committed(), 2);
    EXPECT_EQ(Items().size(), 2u);
}

TEST_F(Batch, WhatFinishDidNotCommitIsRolledBack)
{
    CreateItems({{"a", "1"}});
    {
        CStatementBatch batch(ConnStr());
        EXPECT_EQ(batch.Run(StmtInsertImported("one")), Outcome::Ran);
        EXPECT_EQ(batch.Run(StmtDeleteItems("1")), Outcome::Ran);
    }
    EXPECT_EQ(Items(), (std::vector<StoredItem>{{1, "a", "1", 0, std::nullopt}}));
}
