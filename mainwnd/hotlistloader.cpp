// CHotListLoader: the first rows at once, the rest on a thread, handed over in chunks.
#include "mainwnd/hotlistloader.h"

#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbsession.h"
#include "store/dbstatement.h"
#include "store/itemid.h"
#include "store/statements.h"

#include <new>
#include <utility>

namespace {

// A column's text as the session reads it: a number in another table's rows by its digits.
std::wstring_view TextOf(const CDbStatement& row, int column, std::wstring& converted)
{
    std::wstring_view text;
    if (row.ColumnText16(column, &text))
        return text;
    converted = CDbSession().ValueToText(row.Column(column)).str();
    return converted;
}

}  // namespace

void AddHotListRow(const CDbStatement& row, CHotListChunk& chunk)
{
    const std::optional<int> id = ItemIdFromValue(row.Column(0));
    if (!id)
        return;
    std::wstring titleText, contentText;
    const std::wstring_view title = TextOf(row, 1, titleText);
    const std::wstring_view content = TextOf(row, 2, contentText);
    // The row's text is read where the search keeps it.
    chunk.rows.AddId(*id);
    chunk.index.Add(title, content);
}

CHotListLoader::~CHotListLoader()
{
    Stop();
}

void CHotListLoader::Start(const CString& connStr, int firstRows, HWND notify, UINT message)
{
    Stop();
    m_notify = notify;
    m_message = message;
    m_stop = false;
    m_posted = false;
    m_total = -1;
    m_ready.clear();
    m_end.reset();
    m_thread = std::thread(&CHotListLoader::Run, this, connStr, firstRows);
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

void CHotListLoader::Run(CString connStr, int firstRows)
{
    RowQueryEnd end = RowQueryEnd::Failed;
    try {
        end = Read(connStr, firstRows);
    } catch (const CDbError& error) {
        // The window says the list is short (or busy); the rows handed over stay.
        TraceDroppedError(error);
        end = error.IsBusy() ? RowQueryEnd::Busy : RowQueryEnd::Failed;
    } catch (const std::exception&) {
        // Out of memory, most likely: the list keeps what it has, and the window says it is short.
        end = RowQueryEnd::Failed;
    }
    Finish(end);
}

RowQueryEnd CHotListLoader::Read(const CString& connStr, int firstRows)
{
    CDbConnection connection(connStr, CDbConnection::Access::ReadOnly);
    // Stop may interrupt the connection while it is open, and not a moment after: this goes first.
    struct CReading {
        CHotListLoader& loader;
        CReading(CHotListLoader& owner, CDbConnection& open) : loader(owner)
        {
            std::lock_guard<std::mutex> lock(loader.m_mutex);
            loader.m_reading = &open;
        }
        ~CReading()
        {
            std::lock_guard<std::mutex> lock(loader.m_mutex);
            loader.m_reading = nullptr;
        }
    } reading(*this, connection);
    // The first rows and the rest are read in one transaction: one picture of the table.
    connection.ExecuteFixed("BEGIN");
    CHotListChunk first;
    first.first = true;
    int read = 0;
    {
        CDbStatement query(connection, StmtSelectHotRows(firstRows));
        while (!m_stop && query.Step()) {
            AddHotListRow(query, first);
            ++read;
        }
    }
    Hand(std::move(first));
    if (read < firstRows) {
        m_total = read;
        return RowQueryEnd::AllRead;
    }
    CDbStatement count(connection, StmtCountItems());
    if (count.Step())
        m_total = static_cast<int>(count.Column(0).AsInteger());
    // The rest: the whole order again, past the rows handed over already.
    CDbStatement query(connection, StmtSelectHotRows());
    for (int skipped = 0; skipped < read && !m_stop && query.Step();)
        ++skipped;
    CHotListChunk chunk;
    while (!m_stop && query.Step()) {
        AddHotListRow(query, chunk);
        if (chunk.rows.Count() >= kChunkRows)
            Hand(std::exchange(chunk, CHotListChunk()));
    }
    Hand(std::move(chunk));
    return RowQueryEnd::AllRead;
}

void CHotListLoader::Hand(CHotListChunk chunk)
{
    // The first screenful goes even when it is empty: the list starts again with it.
    if ((chunk.rows.Count() == 0 && !chunk.first) || m_stop)
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
