// CHeatIndexMaker: gives a file made before the heat order's index that index, on a thread of its
// own: at a million items it takes a second, and far longer for a table of very long contents.
#pragma once

#include "base/cstring.h"

#include <atomic>
#include <mutex>
#include <thread>

class CDbConnection;

class CHeatIndexMaker {
public:
    CHeatIndexMaker() = default;
    // Interrupts the making, which then leaves the file as it was, and waits for the thread.
    ~CHeatIndexMaker();
    CHeatIndexMaker(const CHeatIndexMaker&) = delete;
    CHeatIndexMaker& operator=(const CHeatIndexMaker&) = delete;

    // Starts making the index in the file the connection string names, unless it is being made.
    // A file that is busy or read-only is left as it is: the index is only for speed.
    void Start(const CString& connStr);
    // Waits until the making started last has ended.
    void Wait();
    // Interrupts the making, which then leaves the file as it was, and waits for the thread.
    void Stop();

private:
    void Make(const CString& connStr);

    std::thread m_thread;
    std::atomic<bool> m_making{false};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;                     // guards what follows
    CDbConnection* m_connection = nullptr;  // while the index is made, for the destructor to interrupt
};
