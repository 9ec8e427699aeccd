// The heat order's index made in an older file, off the window's thread.
#include "store/heatindex.h"

#include "store/dbconnection.h"
#include "store/dbstatement.h"
#include "store/statements.h"

#include <sqlite3.h>

CHeatIndexMaker::~CHeatIndexMaker()
{
    Stop();
}

void CHeatIndexMaker::Stop()
{
    m_stop = true;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_connection)
            m_connection->Interrupt();
    }
    Wait();
}

void CHeatIndexMaker::Start(const CString& connStr)
{
    if (m_making.exchange(true))
        return;
    Wait();
    m_stop = false;
    m_thread = std::thread(&CHeatIndexMaker::Make, this, connStr);
}

void CHeatIndexMaker::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CHeatIndexMaker::Make(const CString& connStr)
{
    try {
        CDbConnection connection(connStr);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_connection = &connection;
        }
        struct CForgotten {
            CHeatIndexMaker& maker;
            ~CForgotten()
            {
                std::lock_guard<std::mutex> lock(maker.m_mutex);
                maker.m_connection = nullptr;
            }
        } forgotten{*this};
        // An interrupt that comes before the statement starts is lost: the engine also asks, every
        // thousand steps, whether to go on.
        sqlite3_progress_handler(
            connection.Handle(), 1000,
            [](void* stop) { return static_cast<std::atomic<bool>*>(stop)->load() ? 1 : 0; }, &m_stop);
        if (!m_stop) {
            CDbStatement create(connection, StmtCreateHeatIndex());
            create.Step();
        }
    } catch (const CDbError& error) {
        // Busy, read-only or interrupted: the next whole load tries again.
        TraceDroppedError(error);
    }
    m_making = false;
}
