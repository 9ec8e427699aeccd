// CClickCounter: quick reads, and click counts written in one transaction or kept for later.
#include "mainwnd/clickcounter.h"

#include "store/batch.h"
#include "store/connstr.h"
#include "store/dberror.h"
#include "store/statements.h"
#include "store/teamstore.h"

void CClickCounter::SetConnectionString(const CString& connStr)
{
    m_connStr = connStr;
    m_quickConnStr = WithBusyTimeout(connStr, kQuickWaitMs);
    m_quick.SetConnectionString(m_quickConnStr);
}

CClickCounter::ReadResult CClickCounter::ReadContent(int id, std::wstring* text)
{
    try {
        *text = m_quick.QueryValue(IsTeamListId(id) ? StmtSelectTeamContent(TeamIdOfListId(id))
                                                    : StmtSelectContent(id));
        return ReadResult::Read;
    } catch (const CDbError& error) {
        return error.IsBusy() ? ReadResult::Busy : ReadResult::Unreadable;
    }
}

void CClickCounter::Add(int id, const CString& time)
{
    m_pending.emplace_back(id, time);
}

bool CClickCounter::WritePending(bool patient)
{
    if (m_pending.empty())
        return true;
    // One transaction for every kept click: a lock not granted in time leaves all of them kept,
    // none counted twice.
    CStatementBatch batch(patient ? m_connStr : m_quickConnStr);
    for (const auto& [id, time] : m_pending) {
        const CString count =
            IsTeamListId(id) ? StmtCountTeamClick(time, TeamIdOfListId(id)) : StmtCountClick(time, id);
        if (batch.Run(count) != CStatementBatch::Outcome::Ran)
            return false;
    }
    if (!batch.Finish())
        return false;
    m_pending.clear();
    return true;
}
