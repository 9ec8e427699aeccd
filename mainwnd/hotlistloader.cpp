// CHotListLoader: the first rows at once, the rest on a thread, handed over in chunks.
#include "mainwnd/hotlistloader.h"

#include "base/first_line.h"
#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbsession.h"
#include "store/dbstatement.h"
#include "store/itemid.h"
#include "store/statements.h"

#include <new>
#include <utility>

void AddHotListRow(const CDbRow& row, CHotListChunk& chunk)
{
    const std::optional<int> id = ItemIdFromValue(row.Value(0));
    if (!id)
        return;
    CDbSession texts;
    const CString title = texts.ValueToText(row.Value(1));
    const CString content = texts.ValueToText(row.Value(2));
    // A row stays one line high: a label of several lines shows its first.
    chunk.rows.Add(FirstLineShown(title.GetLength() == 0 ? content : title).str(), *id);
    chunk.index.Add(title.str(), content.str());
}

CHotListLoader::~CHotListLoader()
{
    Stop();
}

RowQueryEnd CHotListLoader::Start(const CString& connStr, int firstRows, CHotListChunk& first, HWND notify,
                                  UINT message)
{
    Stop();
    m_notify = notify;
    m_message = message;
    m_stop = false;
    m_posted = false;
    m_total = -1;
    m_ready.clear();
    m_end.reset();
    std::unique_ptr<CDbConnection> connection;
    int read = 0;
    try {
        connection = std::make_unique<CDbConnection>(connStr, CDbConnection::Access::ReadOnly);
        // The first rows and the rest are read in one transaction: one picture of the table.
        connection->ExecuteFixed("BEGIN");
        CDbStatement query(*connection, StmtSelectHotRows(firstRows, 0));
        while (query.Step()) {
            AddHotListRow(CDbRow(query.Row()), first);
            ++read;
        }
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        return error.IsBusy() ? RowQueryEnd::Busy : RowQueryEnd::Failed;
    }
    if (read < firstRows) {
        m_total = first.rows.Count();
        return RowQueryEnd::AllRead;
    }
    m_thread = std::thread(&CHotListLoader::Run, this, std::move(connection), read);
    return RowQueryEnd::AllRead;
}

void CHotListLoader::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    {
        // A statement in the middle of sorting a large table stops at the engine's next check.
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_reading)
            m_reading->Interrupt();
    }
    m_thread.join();
}

void CHotListLoader::Run(std::unique_ptr<CDbConnection> connection, int skip)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reading = connection.get();
    }
    std::optional<RowQueryEnd> end;
    try {
        CDbStatement count(*connection, StmtCountItems());
        if (count.Step())
            m_total = static_cast<int>(count.Column(0).AsInteger());
        CDbStatement query(*connection, StmtSelectHotRows(-1, skip));
        CHotListChunk chunk;
        while (!m_stop && query.Step()) {
            AddHotListRow(CDbRow(query.Row()), chunk);
            if (chunk.rows.Count() >= kChunkRows)
                Hand(std::exchange(chunk, CHotListChunk()));
        }
        Hand(std::move(chunk));
        end = RowQueryEnd::AllRead;
    } catch (const CDbError& error) {
        // The window says the list is short (or busy); the rows handed over stay.
        TraceDroppedError(error);
        end = error.IsBusy() ? RowQueryEnd::Busy : RowQueryEnd::Failed;
    } catch (const std::bad_alloc&) {
        // Out of memory: the list keeps what it has, and the window says it is short.
        end = RowQueryEnd::Failed;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reading = nullptr;
    }
    connection.reset();
    Finish(*end);
}

void CHotListLoader::Hand(CHotListChunk chunk)
{
    if (chunk.rows.Count() == 0 || m_stop)
        return;
    // Kept for the whole run: without the room its growth left.
    chunk.rows.Compact();
    chunk.index.Compact();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ready.push_back(std::move(chunk));
    }
    if (!m_posted.exchange(true))
        ::PostMessageW(m_notify, m_message, 0, 0);
}

void CHotListLoader::Finish(RowQueryEnd end)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_end = end;
    }
    if (!m_stop && !m_posted.exchange(true))
        ::PostMessageW(m_notify, m_message, 0, 0);
}

CHotListLoader::Progress CHotListLoader::Take()
{
    m_posted = false;
    Progress progress;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        progress.chunks = std::move(m_ready);
        m_ready.clear();
        progress.end = m_end;
    }
    progress.total = m_total;
    if (progress.end && m_thread.joinable())
        m_thread.join();
    return progress;
}
