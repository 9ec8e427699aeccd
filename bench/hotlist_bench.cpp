// Hot list benchmark: the real main window over a sys.mdb of N items (N from the command line).
// From timer 1 to the last row added and to the end of the first paint, one click-to-copy, the
// rows that got a window and a font, the working set after the load, and the floor: the same
// SELECT by SQLite alone plus the bare calls each row needs.
#include "appstate/globals.h"
#include "bench/bench_support.h"
#include "corelib/core.h"
#include "hotlist/itemclick.h"
#include "mainwnd/maindlg.h"
#include "res/resource.h"
#include "store/dbsession.h"
#include "store/statements.h"
#include "tests/support/testdb.h"

#include <psapi.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::Now;
using bench::ToUtf8;

constexpr int kClicks = 21;
constexpr int kFloorRuns = 3;
constexpr UINT WM_BENCH_NEXT = WM_APP + 40;

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
        char label[48], content[96], time[24];
        std::snprintf(label, sizeof(label), "常用片段 %05d 地址", i);
        std::snprintf(content, sizeof(content), "北京市海淀区中关村大街 %d 号，邮编 100080。it's #%d", i, i);
        std::snprintf(time, sizeof(time), "2026-%02d-%02d %02d:%02d:00", 1 + i % 12, 1 + i % 28, i % 24,
                      i % 60);
        items.push_back({std::string(label), std::string(content), (i * 7) % 50, std::string(time)});
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
    if (::SendMessageA(row, WM_GETFONT, 0, 0))
        ++counts->fonts;
    return TRUE;
}

struct HotListFigures {
    double loadSeconds = 0;
    double paintSeconds = 0;
    bool paintLeftPending = false;
    std::vector<double> clickSeconds;
    // The three steps of a copy, each timed alone.
    std::vector<double> readSeconds, clipboardSeconds, countSeconds;
    int entries = 0;
    RowCounts rows;
    size_t workingSetKb = 0;
    DWORD listStyle = 0;
    SIZE listSize = {};
};

// The real main window, with stop-watches around the load and the copy.
class CBenchMainDlg : public CMainDlg {
public:
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
        return CMainDlg::WindowProc(message, wParam, lParam);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_ITEMCLICK && pMsg->hwnd == m_hWnd)
            m_clickStart = Now();
        return CMainDlg::PreTranslateMessage(pMsg);
    }

    void LoadHotList(CHotListBox& list, CString clause) override
    {
        CMainDlg::LoadHotList(list, clause);
        m_loaded = Now();
    }

    void CopyItem(int id) override
    {
        CMainDlg::CopyItem(id);
        figures.clickSeconds.push_back(Now() - m_clickStart);
        ::PostMessageA(m_hWnd, WM_BENCH_NEXT, 0, 0);
    }

private:
    LRESULT OnLoadTimer(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const double start = Now();
        LRESULT result = CMainDlg::WindowProc(message, wParam, lParam);
        // Paint what the load invalidated, as the message loop would, until nothing is left.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageA(&msg);
        const double painted = Now();
        figures.paintLeftPending = (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0;
        figures.loadSeconds = m_loaded - start;
        figures.paintSeconds = painted - start;
        figures.workingSetKb = WorkingSetKb();
        figures.entries = static_cast<int>(m_list.GetCount());
        ::EnumChildWindows(m_list.m_hWnd, &CountRow, reinterpret_cast<LPARAM>(&figures.rows));
        figures.listStyle = static_cast<DWORD>(::GetWindowLongA(m_list.m_hWnd, GWL_STYLE));
        CRect client;
        m_list.GetClientRect(&client);
        figures.listSize = {client.Width(), client.Height()};
        // The hottest item is the first the load's own statement returns.
        m_topId = std::atoi(g_db->QueryValue(StmtSelectItems(kHeatOrder)));
        ::PostMessageA(m_hWnd, WM_BENCH_NEXT, 0, 0);
        return result;
    }

    // Clicks the top row's item (the way a row's click arrives), then ends the window.
    void NextStep()
    {
        const bool listed = m_list.GetCount() > 0;
        if (listed && static_cast<int>(figures.clickSeconds.size()) < kClicks) {
            ::PostMessageA(m_hWnd, WM_ITEMCLICK, 0, m_topId);
            return;
        }
        TimeCopySteps();
        ::PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
    }

    void TimeCopySteps()
    {
        for (int i = 0; i < kClicks; ++i) {
            double start = Now();
            CString text = g_db->QueryValue(StmtSelectContent(m_topId));
            double read = Now();
            g_core->toClipboard(m_hWnd, text);
            double placed = Now();
            g_db->Execute(StmtCountClick(g_core->getTimeNowStr(""), m_topId));
            double counted = Now();
            figures.readSeconds.push_back(read - start);
            figures.clipboardSeconds.push_back(placed - read);
            figures.countSeconds.push_back(counted - placed);
        }
    }

    double m_clickStart = 0;
    double m_loaded = 0;
    int m_topId = 0;
};

// The same SELECT by SQLite alone, and for each row only the calls a row needs: its window, its
// font, and its list entry, in a list box of the hot list's style and size.
struct FloorFigures {
    double seconds = 0;
    double windowSeconds = 0;  // of which the rows' CreateWindowEx calls
};

FloorFigures MeasureFloor(const std::string& dbPath, DWORD listStyle, SIZE listSize)
{
    HWND host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, listSize.cx + 20,
                                  listSize.cy + 20, nullptr, nullptr, nullptr, nullptr);
    HWND list = ::CreateWindowExA(0, "LISTBOX", "", listStyle, 0, 0, listSize.cx, listSize.cy, host, nullptr,
                                  nullptr, nullptr);
    LOGFONTA logFont = {};
    logFont.lfHeight = 20;
    std::strcpy(logFont.lfFaceName, "宋体");
    std::vector<HFONT> fonts;
    std::string sql = ToUtf8(StmtSelectItems(kHeatOrder).str());
    // The host is shown and painted before the clock starts, as the main window is before timer 1.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    double windowSeconds = 0;

    const double start = Now();
    sqlite3* db = nullptr;
    sqlite3_open_v2(ToUtf8(dbPath).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int created = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        // Every column read, as the load reads them.
        const int id = sqlite3_column_int(stmt, 0);
        sqlite3_column_text(stmt, 1);
        sqlite3_column_text(stmt, 2);
        if (created == CHotListBox::kMaxRows) {
            // Past the row limit an item only gets its entry, as in the real list.
            LRESULT index = ::SendMessageA(list, LB_ADDSTRING, 0, 0);
            ::SendMessageA(list, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), listSize.cy * 6 / 100);
            continue;
        }
        ++created;
        const double beforeWindow = Now();
        HWND row = ::CreateWindowExA(
            0, "STATIC", "", WS_CHILD | SS_SIMPLE, 0, 0, listSize.cx, listSize.cy / 20, list,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(1001 + created)), nullptr, nullptr);
        windowSeconds += Now() - beforeWindow;
        HFONT font = ::CreateFontIndirectA(&logFont);
        fonts.push_back(font);
        ::SendMessageA(row, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        LRESULT index = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
        ::SendMessageA(list, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), listSize.cy * 6 / 100);
        ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(id));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    const double seconds = Now() - start;

    ::DestroyWindow(host);
    for (HFONT font : fonts)
        if (font)
            ::DeleteObject(font);
    return {seconds, windowSeconds};
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
    const std::string folder = bench::ProgramFolder();
    const std::string dbPath = folder + "sys.mdb";
    ::DeleteFileA((folder + "hotlist_bench.ini").c_str());
    testing_support::CreateItemDatabase(dbPath, MakeItems(count));

    HotListFigures figures;
    {
        CBenchMainDlg dlg;
        app.m_pMainWnd = &dlg;
        dlg.DoModal();
        app.m_pMainWnd = nullptr;
        figures = dlg.figures;
    }
    // The machine's speed drifts from call to call (each window costs round trips to the window
    // server): the floor is the middle one of three runs.
    std::vector<FloorFigures> floors;
    for (int run = 0; run < kFloorRuns; ++run)
        floors.push_back(MeasureFloor(dbPath, figures.listStyle, figures.listSize));
    std::sort(floors.begin(), floors.end(),
              [](const FloorFigures& a, const FloorFigures& b) { return a.seconds < b.seconds; });
    const FloorFigures floorFigures = floors[floors.size() / 2];
    const double floor = floorFigures.seconds;

    if (figures.entries != count)
        std::printf("# only %d of %d items listed\n", figures.entries, count);
    if (figures.paintLeftPending)
        std::printf("# a paint was still pending after the first paint\n");
    std::printf("load_%d_ms: %.1f ms\n", count, figures.loadSeconds * 1000);
    std::printf("paint_%d_ms: %.1f ms\n", count, figures.paintSeconds * 1000);
    std::printf("floor_%d_ms: %.1f ms\n", count, floor * 1000);
    std::printf("floor_windows_%d_ms: %.1f ms\n", count, floorFigures.windowSeconds * 1000);
    std::printf("load_over_floor_%d: %.2f x\n", count, floor > 0 ? figures.loadSeconds / floor : 0.0);
    std::printf("click_ms: %.2f ms\n", Median(figures.clickSeconds) * 1000);
    std::printf("click_read_ms: %.2f ms\n", Median(figures.readSeconds) * 1000);
    std::printf("click_clipboard_ms: %.2f ms\n", Median(figures.clipboardSeconds) * 1000);
    std::printf("click_count_ms: %.2f ms\n", Median(figures.countSeconds) * 1000);
    std::printf("row_windows_%d: %d rows\n", count, figures.rows.windows);
    std::printf("row_fonts_%d: %d rows\n", count, figures.rows.fonts);
    std::printf("working_set_%d_kb: %zu kB\n", count, figures.workingSetKb);
    std::fflush(stdout);
    return 0;
}
