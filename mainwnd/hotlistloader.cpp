// CHotListLoader: the first rows at once, the rest on a thread, handed over in chunks.
#include "mainwnd/hotlistloader.h"

#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbsession.h"
#include "store/dbstatement.h"
#include "store/itemid.h"
#include "store/pins.h"
#include "store/schemaobjects.h"
#include "store/statements.h"
#include "store/teamstore.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
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

// Rows as read, not yet prepared for the search: ids, and each item's label and content.
struct CRawRows {
    std::vector<int> ids;
    std::wstring texts;
    std::vector<size_t> ends;  // where each label, then each content, ends in texts
};

// The rows prepared for the list and the search.
CHotListChunk ChunkOf(const CRawRows& rows)
{
    CHotListChunk chunk;
    const std::wstring_view texts(rows.texts);
    size_t at = 0;
    for (size_t row = 0; row < rows.ids.size(); ++row) {
        const size_t labelEnd = rows.ends[2 * row];
        const size_t contentEnd = rows.ends[2 * row + 1];
        // The row's text is read where the search keeps it.
        chunk.rows.AddId(rows.ids[row]);
        chunk.index.Add(texts.substr(at, labelEnd - at), texts.substr(labelEnd, contentEnd - labelEnd));
        at = contentEnd;
    }
    return chunk;
}

// Prepares chunks from rows as read, on a thread of its own, so that reading the table and
// preparing the search share the machine's cores; hands each chunk on in the order read.
class CChunkBuilder {
public:
    explicit CChunkBuilder(std::function<void(CHotListChunk)> hand)
        : m_hand(std::move(hand)), m_thread(&CChunkBuilder::Run, this)
    {
    }
    ~CChunkBuilder()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    CChunkBuilder(const CChunkBuilder&) = delete;
    CChunkBuilder& operator=(const CChunkBuilder&) = delete;

    // Queues rows; waits while two batches wait already, so that reading stays a step ahead only.
    void Add(CRawRows rows)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_pending.size() < 2 || m_failure; });
        if (!m_failure)
            m_pending.push_back(std::move(rows));
        m_changed.notify_all();
    }
    // Waits until every batch is handed on; throws what the thread caught.
    void Finish()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_done = true;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_finished; });
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    void Run()
    {
        try {
            for (;;) {
                CRawRows rows;
                {
                    std::unique_lock<std::mutex> lock(m_mutex);
                    m_changed.wait(lock, [&] { return !m_pending.empty() || m_done; });
                    if (m_pending.empty())
                        break;
                    rows = std::move(m_pending.front());
                    m_pending.pop_front();
                }
                m_changed.notify_all();
                m_hand(ChunkOf(rows));
            }
        } catch (...) {
            // Told to the reader, whose load then ends short.
            std::lock_guard<std::mutex> lock(m_mutex);
            m_failure = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished = true;
        }
        m_changed.notify_all();
    }

    std::function<void(CHotListChunk)> m_hand;
    std::mutex m_mutex;  // guards what follows
    std::condition_variable m_changed;
    std::deque<CRawRows> m_pending;
    bool m_done = false;
    bool m_finished = false;
    std::exception_ptr m_failure;
    std::thread m_thread;  // last: it starts once the rest is ready
};

// Adds the current row of the hot list's statement to rows; a row whose id does not fit in 32
// bits is left out, since a click could only carry a cut id that names another item.
void AddRawRow(const CDbStatement& row, CRawRows& rows)
{
    const std::optional<int> id = ItemIdFromValue(row.Column(0));
    if (!id)
        return;
    std::wstring titleText, contentText;
    rows.ids.push_back(*id);
    rows.texts += TextOf(row, 1, titleText);
    rows.ends.push_back(rows.texts.size());
    rows.texts += TextOf(row, 2, contentText);
    rows.ends.push_back(rows.texts.size());
}

// Whether the current row of the hot list's statement is a pinned item (pinned: ascending), listed
// above the heat order already.
bool IsPinnedRow(const CDbStatement& row, const std::vector<int>& pinned)
{
    if (pinned.empty())
        return false;
    const std::optional<int> id = ItemIdFromValue(row.Column(0));
    return id && std::binary_search(pinned.begin(), pinned.end(), *id);
}

}  // namespace

CHotListLoader::~CHotListLoader()
{
    Stop();
}

void CHotListLoader::Start(const CString& connStr, int firstRows, HWND notify, UINT message)
{
    Stop();
    m_connStr = connStr;
    m_notify = notify;
    m_message = message;
    m_stop = false;
    m_posted = false;
    m_total = -1;
    m_heatIndexMissing = false;
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
    // A stopped read ends as if whole: its end, taken by a message already on its way, would
    // have the list's part taken for all of it.
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ready.clear();
    m_end.reset();
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
    m_heatIndexMissing = CountSchemaObjects(connection, kHeatIndexName) == 0;
    // The team's items join the list once a team file has been read.
    const bool withTeam = HasTeamTables(connection);
    CRawRows firstRead;
    // A few rows, read whole; the heat order's statement stays as it is and steps over them.
    if (HasPinTable(connection)) {
        CDbStatement pins(connection, StmtSelectPinnedRows());
        while (!m_stop && pins.Step())
            AddRawRow(pins, firstRead);
    }
    std::vector<int> pinned = firstRead.ids;
    std::sort(pinned.begin(), pinned.end());
    int read = 0;  // rows of the heat order stepped over, pinned ones included
    {
        CDbStatement query(connection,
                           withTeam ? StmtSelectHotRowsWithTeam(firstRows) : StmtSelectHotRows(firstRows));
        while (!m_stop && query.Step()) {
            if (!IsPinnedRow(query, pinned))
                AddRawRow(query, firstRead);
            ++read;
        }
    }
    CHotListChunk first = ChunkOf(firstRead);
    first.first = true;
    first.pinned = static_cast<int>(pinned.size());
    Hand(std::move(first));
    if (read < firstRows) {
        m_total = read;
        return RowQueryEnd::AllRead;
    }
    CDbStatement count(connection, withTeam ? StmtCountItemsWithTeam() : StmtCountItems());
    if (count.Step())
        m_total = static_cast<int>(count.Column(0).AsInteger());
    // The rest: the whole order again, past the rows handed over already.
    CDbStatement query(connection, withTeam ? StmtSelectHotRowsWithTeam() : StmtSelectHotRows());
    for (int skipped = 0; skipped < read && !m_stop && query.Step();)
        ++skipped;
    CChunkBuilder builder([this](CHotListChunk chunk) { Hand(std::move(chunk)); });
    CRawRows rows;
    while (!m_stop && query.Step()) {
        if (IsPinnedRow(query, pinned))
            continue;
        AddRawRow(query, rows);
        if (rows.ids.size() >= static_cast<size_t>(kChunkRows))
            builder.Add(std::exchange(rows, CRawRows()));
    }
    builder.Add(std::move(rows));
    builder.Finish();
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
    if (progress.end && m_thread.joinable()) {
        m_thread.join();
        if (*progress.end == RowQueryEnd::AllRead && m_heatIndexMissing)
            m_heatIndex.Start(m_connStr);
    }
    return progress;
}
