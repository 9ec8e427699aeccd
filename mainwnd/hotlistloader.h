// CHotListLoader: reads the hot list on a thread of its own, so that the window never waits for it.
// The pinned items come first, in the order they were pinned, then every other item in heat order.
// The first screenful comes from a query for those rows alone and is handed over as soon as it is
// read; every other row follows inside the same read transaction, so that the whole list is one
// picture of the table, in chunks that the window takes when it is told to.
#pragma once

#include "base/cstring.h"
#include "hotlist/hotrowbatch.h"
#include "mainwnd/search/search_index.h"
#include "store/heatindex.h"
#include "store/rowquery.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>
#include <windows.h>

class CDbConnection;

// Items of the list in heat order: their rows, and the same items prepared for the search.
struct CHotListChunk {
    CHotRowBatch rows;
    CSearchIndex index;
    bool first = false;  // the first screenful: the list starts again with it
    int pinned = 0;      // in the first: how many of its rows, at its top, are pinned items
};

class CHotListLoader {
public:
    // Rows the thread hands over at a time: the window adds them in one step.
    static constexpr int kChunkRows = 16384;

    CHotListLoader() = default;
    ~CHotListLoader();
    CHotListLoader(const CHotListLoader&) = delete;
    CHotListLoader& operator=(const CHotListLoader&) = delete;

    // Stops a load under way and starts reading the list afresh, the first firstRows rows first;
    // `message` is posted to notify whenever chunks or the end are ready.
    void Start(const CString& connStr, int firstRows, HWND notify, UINT message);
    // Stops the thread; what it has not handed over is dropped.
    void Stop();
    // Stops the making of the heat order's index too (the program ends): the file stays as it was.
    void StopAll()
    {
        Stop();
        m_heatIndex.Stop();
    }
    // Until the window has taken the load's end.
    bool IsLoading() const { return m_thread.joinable(); }

    struct Progress {
        std::vector<CHotListChunk> chunks;  // read since the last Take, in order
        std::optional<RowQueryEnd> end;     // how the load ended, once it has
        int total = -1;                     // how many items the table holds, once counted
    };
    Progress Take();

private:
    void Run(CString connStr, int firstRows);
    // Reads the rows; how that ended.
    RowQueryEnd Read(const CString& connStr, int firstRows);
    void Hand(CHotListChunk chunk);
    void Finish(RowQueryEnd end);

    CString m_connStr;
    HWND m_notify = nullptr;
    UINT m_message = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_posted{false};
    std::atomic<int> m_total{-1};
    std::mutex m_mutex;  // guards what follows
    std::vector<CHotListChunk> m_ready;
    std::optional<RowQueryEnd> m_end;
    // The thread's connection while it reads, for Stop to interrupt a long statement.
    CDbConnection* m_reading = nullptr;
    // Whether the file lacks the heat order's index, which is then made once the list is read.
    std::atomic<bool> m_heatIndexMissing{false};
    CHeatIndexMaker m_heatIndex;
};
