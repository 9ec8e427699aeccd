// Hot list benchmark: the real main window over a sys.mdb of N items (N from the command line).
// From timer 1 to the last entry added and to the end of the first paint; click-to-copy of the top
// item, of the top item while another connection holds a read transaction (the count cannot be
// written: the click waits for the lock as long as the click path allows), and of the last one
// after scrolling to the end; the rows that have a window and a font after
// the load and after paging through the whole list and back; the working set after the load. And
// two floors: the same SELECT by SQLite alone with one list entry per item and a window and a font
// for each row that fits on screen, and the same with a window and a font for every item.
#include "appstate/globals.h"
#include "bench/bench_support.h"
#include "corelib/core.h"
#include "hotlist/hotlistbox.h"
#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"
#include "mainwnd/maindlg.h"
#include "res/resource.h"
#include "store/dbsession.h"
#include "store/sqlite_handles.h"
#include "store/statements.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/support/testdb.h"

#include <psapi.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using bench::Now;
using bench::ToUtf8;

constexpr int kClicks = 21;
// Each of these waits out the click path's lock wait: fewer of them.
constexpr int kReaderClicks = 5;
constexpr int kFloorRuns = 3;
// A floor with a window per item makes and destroys that many windows; past this many only one run,
// and none past the old floor's limit: Wine's window table, shared by the whole session, holds about
// 32,700 windows.
constexpr int kManyWindowRuns = 5000;
constexpr int kMaxWindowFloor = 20000;
constexpr UINT WM_BENCH_NEXT = WM_APP + 40;
// A click on the last row that copies nothing within this time is given up.
constexpr UINT_PTR kClickWatchTimer = 40;
constexpr UINT kClickWatchMs = 3000;

size_t WorkingSetKb()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)))
        return 0;
    return counters.WorkingSetSize / 1024;
}

// Labels and contents like a user's snippets; counts and times spread so the order has work to do.
std::vector<testing_support::TestItem> MakeItems(int count)
{
    std::vector<testing_support::TestItem> items;
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        CString label, content, time;
        label.Format(L"常用片段 %05d 地址", i);
        content.Format(L"北京市海淀区中关村大街 %d 号，邮编 100080。it's #%d", i, i);
        time.Format(L"2026-%02d-%02d %02d:%02d:00", 1 + i % 12, 1 + i % 28, i % 24, i % 60);
        items.push_back({label.str(), content.str(), (i * 7) % 50, time.str()});
    }
    return items;
}

struct RowCounts {
    int windows = 0;
    int fonts = 0;
};

BOOL CALLBACK CountRow(HWND row, LPARAM param)
{
    auto* counts = reinterpret_cast<RowCounts*>(param);
    ++counts->windows;
    if (::SendMessageW(row, WM_GETFONT, 0, 0))
        ++counts->fonts;
    return TRUE;
}

struct HotListFigures {
    double loadSeconds = 0;
    double paintSeconds = 0;
    bool paintLeftPending = false;
    std::vector<double> clickSeconds;
    // Clicks on the top item while a reader holds the database.
    std::vector<double> readerClickSeconds;
    // Clicks on the last item's row, the list scrolled to the end.
    std::vector<double> lastClickSeconds;
    // The three steps of a copy, each timed alone.
    std::vector<double> readSeconds, clipboardSeconds, countSeconds;
    int entries = 0;
    RowCounts rows;
    // After paging from the top to the end and back.
    RowCounts scrolledRows;
    size_t workingSetKb = 0;
    DWORD listStyle = 0;
    SIZE listSize = {};
};

// The real main window, with stop-watches around the load and the copy.
class CBenchMainDlg : public CMainDlg {
public:
    explicit CBenchMainDlg(std::wstring dbPath) : m_dbPath(std::move(dbPath)) {}
    HotListFigures figures;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kLoadTimer)
            return OnLoadTimer(message, wParam, lParam);
        if (message == WM_BENCH_NEXT) {
            NextStep();
            return 0;
        }
        if (message == WM_TIMER && wParam == kClickWatchTimer) {
            KillTimer(kClickWatchTimer);
            m_clickGivenUp = true;
            NextStep();
            return 0;
        }
        return CMainDlg::WindowProc(message, wParam, lParam);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_ITEMCLICK && pMsg->hwnd == m_hWnd && !m_clickingLast)
            m_clickStart = Now();
        if (pMsg->message == WM_LBUTTONUP && m_clickingLast)
            m_clickStart = Now();
        return CMainDlg::PreTranslateMessage(pMsg);
    }

    RowQueryEnd LoadHotList(CHotListBox& list, CString clause) override
    {
        RowQueryEnd end = CMainDlg::LoadHotList(list, clause);
        m_loaded = Now();
        return end;
    }

    void CopyItem(int id) override
    {
        CMainDlg::CopyItem(id);
        (m_clickingLast ? figures.lastClickSeconds
         : m_reader     ? figures.readerClickSeconds
                        : figures.clickSeconds)
            .push_back(Now() - m_clickStart);
        KillTimer(kClickWatchTimer);
        ::PostMessageW(m_hWnd, WM_BENCH_NEXT, 0, 0);
    }

private:
    LRESULT OnLoadTimer(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const double start = Now();
        LRESULT result = CMainDlg::WindowProc(message, wParam, lParam);
        // Paint what the load invalidated, as the message loop would, until nothing is left.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageW(&msg);
        const double painted = Now();
        figures.paintLeftPending = (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0;
        figures.loadSeconds = m_loaded - start;
        figures.paintSeconds = painted - start;
        figures.workingSetKb = WorkingSetKb();
        figures.entries = static_cast<int>(m_list.GetCount());
        ::EnumChildWindows(m_list.m_hWnd, &CountRow, reinterpret_cast<LPARAM>(&figures.rows));
        figures.listStyle = static_cast<DWORD>(::GetWindowLongW(m_list.m_hWnd, GWL_STYLE));
        CRect client;
        m_list.GetClientRect(&client);
        figures.listSize = {client.Width(), client.Height()};
        // The hottest item is the first the load's own statement returns.
        m_topId = _wtoi(g_db->QueryValue(StmtSelectItems(kHeatOrder)));
        ::PostMessageW(m_hWnd, WM_BENCH_NEXT, 0, 0);
        return result;
    }

    // Clicks the top row's item (the way a row's click arrives), pages through the list, clicks the
    // last row, then ends the window.
    void NextStep()
    {
        const bool listed = m_list.GetCount() > 0;
        if (listed && static_cast<int>(figures.clickSeconds.size()) < kClicks) {
            ::PostMessageW(m_hWnd, WM_ITEMCLICK, 0, m_topId);
            return;
        }
        if (listed && static_cast<int>(figures.readerClickSeconds.size()) < kReaderClicks &&
            (m_reader || HoldReader())) {
            ::PostMessageA(m_hWnd, WM_ITEMCLICK, 0, m_topId);
            return;
        }
        // The kept counts are written at a later click or retry.
        m_reader.Reset();
        if (listed && !m_clickingLast) {
            PageToTheEndAndBack();
            ::EnumChildWindows(m_list.m_hWnd, &CountRow, reinterpret_cast<LPARAM>(&figures.scrolledRows));
            m_list.SendMessage(WM_VSCROLL, SB_BOTTOM);
            PaintNow();
            m_clickingLast = true;
        }
        if (listed && !m_clickGivenUp && static_cast<int>(figures.lastClickSeconds.size()) < kClicks &&
            ClickLastRow()) {
            SetTimer(kClickWatchTimer, kClickWatchMs);
            return;
        }
        TimeCopySteps();
        ::PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
    }

    // A second connection, as another program would hold it: a read inside an open transaction.
    bool HoldReader()
    {
        CSqliteHandle reader;
        if (sqlite3_open_v2(ToUtf8(m_dbPath).c_str(), reader.Put(), SQLITE_OPEN_READWRITE, nullptr) !=
                SQLITE_OK ||
            sqlite3_exec(reader.Get(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK ||
            sqlite3_exec(reader.Get(), "SELECT count(*) FROM T_ITEM", nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
        m_reader = std::move(reader);
        return true;
    }

    void PaintNow()
    {
        ::UpdateWindow(m_list.m_hWnd);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }

    // A page at a time, as the scroll bar's page area scrolls, painting after each step.
    void PageToTheEndAndBack()
    {
        for (WPARAM step : {SB_PAGEDOWN, SB_PAGEUP}) {
            for (int top = -1; top != m_list.GetTopIndex();) {
                top = m_list.GetTopIndex();
                m_list.SendMessage(WM_VSCROLL, step);
                PaintNow();
            }
        }
    }

    // Clicks the last row's text with real mouse input; false when that row does not show.
    bool ClickLastRow()
    {
        CHyperLink* row = m_list.RowWindow(m_list.GetCount() - 1);
        if (!row || !row->IsWindowVisible())
            return false;
        CRect rect;
        row->GetWindowRect(&rect);
        return ClickAt(rect.left + 4, rect.top + 8);
    }

    void TimeCopySteps()
    {
        for (int i = 0; i < kClicks; ++i) {
            double start = Now();
            CString text = g_db->QueryValue(StmtSelectContent(m_topId));
            double read = Now();
            g_core->toClipboard(m_hWnd, text);
            double placed = Now();
            g_db->Execute(StmtCountClick(g_core->getTimeNowStr(L""), m_topId));
            double counted = Now();
            figures.readSeconds.push_back(read - start);
            figures.clipboardSeconds.push_back(placed - read);
            figures.countSeconds.push_back(counted - placed);
        }
    }

    std::wstring m_dbPath;
    // Closing the connection ends its transaction and lets go of the lock.
    CSqliteHandle m_reader;
    bool m_clickingLast = false;
    bool m_clickGivenUp = false;
    double m_clickStart = 0;
    double m_loaded = 0;
    int m_topId = 0;
};

// The floor's host window, destroyed with its list and rows when the measurement ends.
struct CFloorWindowTraits : CNullHandleTraits<HWND> {
    static void Close(HWND hWnd) noexcept { ::DestroyWindow(hWnd); }
};
using CFloorWindow = CUniqueHandle<CFloorWindowTraits>;

// The same SELECT by SQLite alone, one entry per item in a list box of the hot list's style and
// size, and a window and a font for each row that fits on screen, or (windowPerItem) for every item.
double MeasureFloor(const std::wstring& dbPath, DWORD listStyle, SIZE listSize, bool windowPerItem)
{
    // The rows' fonts outlive the rows, which go with the host.
    std::vector<CFont> fonts;
    CFloorWindow host(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, listSize.cx + 20,
                                        listSize.cy + 20, nullptr, nullptr, nullptr, nullptr));
    HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", listStyle, 0, 0, listSize.cx, listSize.cy, host.Get(),
                                  nullptr, nullptr, nullptr);
    LOGFONTW logFont = {};
    logFont.lfHeight = 20;
    std::wcscpy(logFont.lfFaceName, L"宋体");
    std::string sql = ToUtf8(StmtSelectItems(kHeatOrder).str());
    const int entryHeight = listSize.cy * 6 / 100;
    const int onScreen = entryHeight > 0 ? (listSize.cy + entryHeight - 1) / entryHeight : 1;
    // The host is shown and painted before the clock starts, as the main window is before timer 1.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);

    const double start = Now();
    {
        // The statement is finalized and the connection closed inside the measured time.
        CSqliteHandle db;
        sqlite3_open_v2(ToUtf8(dbPath).c_str(), db.Put(), SQLITE_OPEN_READWRITE, nullptr);
        CSqliteStmtHandle stmt;
        sqlite3_prepare_v2(db.Get(), sql.c_str(), static_cast<int>(sql.size()), stmt.Put(), nullptr);
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        int added = 0;
        while (sqlite3_step(stmt.Get()) == SQLITE_ROW) {
            // Every column read, as the load reads them.
            const int id = sqlite3_column_int(stmt.Get(), 0);
            sqlite3_column_text(stmt.Get(), 1);
            sqlite3_column_text(stmt.Get(), 2);
            ++added;
            if (windowPerItem || added <= onScreen) {
                HWND row = ::CreateWindowExW(
                    0, L"STATIC", L"", WS_CHILD | SS_SIMPLE, 0, 0, listSize.cx, listSize.cy / 20, list,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(1001 + added)), nullptr, nullptr);
                fonts.emplace_back();
                fonts.back().CreateFontIndirect(&logFont);
                ::SendMessageW(row, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back().GetSafeHandle()), TRUE);
            }
            LRESULT index = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
            ::SendMessageW(list, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), entryHeight);
            ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(id));
        }
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    return Now() - start;
}

// The machine's speed drifts from call to call (each window costs round trips to the window
// server): the middle one of several runs.
double MedianFloor(int runs, const std::wstring& dbPath, DWORD listStyle, SIZE listSize, bool windowPerItem)
{
    std::vector<double> floors;
    for (int run = 0; run < runs; ++run)
        floors.push_back(MeasureFloor(dbPath, listStyle, listSize, windowPerItem));
    std::sort(floors.begin(), floors.end());
    return floors[floors.size() / 2];
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    CWinApp app;
    const std::wstring folder = bench::ProgramFolder();
    const std::wstring dbPath = folder + L"sys.mdb";
    ::DeleteFileW((folder + L"hotlist_bench.ini").c_str());
    testing_support::CreateItemDatabase(dbPath, MakeItems(count));

    HotListFigures figures;
    {
        CBenchMainDlg dlg(dbPath);
        app.m_pMainWnd = &dlg;
        dlg.DoModal();
        app.m_pMainWnd = nullptr;
        figures = dlg.figures;
    }
    const double floor = MedianFloor(kFloorRuns, dbPath, figures.listStyle, figures.listSize, false);
    const bool windowFloor = count <= kMaxWindowFloor;
    const double windowsFloor = windowFloor ? MedianFloor(count <= kManyWindowRuns ? kFloorRuns : 1, dbPath,
                                                          figures.listStyle, figures.listSize, true)
                                            : 0;

    if (figures.entries != count)
        std::printf("# only %d of %d items listed\n", figures.entries, count);
    if (figures.paintLeftPending)
        std::printf("# a paint was still pending after the first paint\n");
    std::printf("load_%d_ms: %.1f ms\n", count, figures.loadSeconds * 1000);
    std::printf("paint_%d_ms: %.1f ms\n", count, figures.paintSeconds * 1000);
    std::printf("floor_%d_ms: %.1f ms\n", count, floor * 1000);
    if (windowFloor)
        std::printf("floor_windows_%d_ms: %.1f ms\n", count, windowsFloor * 1000);
    std::printf("load_over_floor_%d: %.2f x\n", count, floor > 0 ? figures.loadSeconds / floor : 0.0);
    std::printf("click_ms: %.2f ms\n", Median(figures.clickSeconds) * 1000);
    if (figures.lastClickSeconds.size() != static_cast<size_t>(kClicks))
        std::printf("# %zu of %d clicks on the last row copied\n", figures.lastClickSeconds.size(), kClicks);
    std::printf("click_last_ms: %.2f ms\n", Median(figures.lastClickSeconds) * 1000);
    if (figures.readerClickSeconds.size() != static_cast<size_t>(kReaderClicks))
        std::printf("# %zu of %d clicks under a reader copied\n", figures.readerClickSeconds.size(),
                    kReaderClicks);
    std::printf("click_with_reader_ms: %.2f ms\n", Median(figures.readerClickSeconds) * 1000);
    std::printf("click_read_ms: %.2f ms\n", Median(figures.readSeconds) * 1000);
    std::printf("click_clipboard_ms: %.2f ms\n", Median(figures.clipboardSeconds) * 1000);
    std::printf("click_count_ms: %.2f ms\n", Median(figures.countSeconds) * 1000);
    std::printf("row_windows_%d: %d rows\n", count, figures.rows.windows);
    std::printf("row_fonts_%d: %d rows\n", count, figures.rows.fonts);
    std::printf("row_windows_scrolled_%d: %d rows\n", count, figures.scrolledRows.windows);
    std::printf("working_set_%d_kb: %zu kB\n", count, figures.workingSetKb);
    std::fflush(stdout);
    return 0;
}
