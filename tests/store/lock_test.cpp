// Locks held by another running program (a separate process: the engine has no thread support).
#include "store/batch.h"
#include "store/statements.h"
#include "tests/store/lock_holder_process.h"
#include "tests/store/store_fixture.h"

using Outcome = CStatementBatch::Outcome;

using Lock = StoreTest;

TEST_F(Lock, WriteLockOfAnotherProgramDelaysAClickUpdateWithoutLosingIt)
{
    CreateItems({{L"a", L"内容"}});
    const CString click = StmtCountClick(L"2026-02-09 09:00:00", 1);
    CLockHolderProcess holder(m_path, CLockHolderProcess::Lock::Write, 300);
    ASSERT_TRUE(holder.HoldsLock());

    // Without waiting for the lock, the click would be lost.
    CDbSession impatient;
    impatient.SetConnectionString(ConnStr(0));
    EXPECT_FALSE(impatient.Execute(click)) << "the lock was not granted: no effect, and it says so";
    EXPECT_EQ(Items()[0].clicktimes, 0);

    holder.Go();
    EXPECT_TRUE(m_session.Execute(click));
    // Execute came back only once the other program let go, and the click counted.
    EXPECT_TRUE(holder.HasReleased());
    EXPECT_EQ(Items()[0].clicktimes, 1);
    EXPECT_EQ(Items()[0].lasttime, L"2026-02-09 09:00:00");
    EXPECT_EQ(holder.WaitForExit(), 0);
}

TEST_F(Lock, FailedFinishLosesTheWholeBatch)
{
    CreateItems({{L"a", L"1"}});
    CStatementBatch batch(ConnStr(200));
    CLockHolderProcess reader(m_path, CLockHolderProcess::Lock::Read, 0);
    ASSERT_TRUE(reader.HoldsLock());
    EXPECT_EQ(batch.Run(StmtInsertImported(L"one")), Outcome::Ran);
    EXPECT_EQ(batch.Run(StmtInsertImported(L"two")), Outcome::Ran);
    EXPECT_FALSE(batch.Finish());
    EXPECT_EQ(batch.Pending(), 0);
    EXPECT_NE(batch.FailureCode(), 0);

    reader.Go();
    EXPECT_EQ(reader.WaitForExit(), 0);
    EXPECT_EQ(Items().size(), 1u);
}
