// Hot list benchmark: the real main window over a sys.mdb of N items (N from the command line).
// From timer 1 to the first screenful painted and to the last chunk added, the longest the window
// kept a timer waiting meanwhile (a gap of more than the timer's 10 ms), the private bytes after the load; click-to-copy of the top item,
// of the top item while another connection holds a read transaction, and of the last one after
// scrolling to the end; the rows that have a window and a font after the load and after paging. And
// the floors: SQLite alone running the first screenful's query, and the whole list's query with the
// ids kept, the list box's count set once, and a window and a font for each row that fits on screen
// (or, up to 20,000, for every item).
// Two more modes, each one process: "--reload N" reads the list again a hundred times after a change
// made by another connection; "--big" lists 2,000 items of 1 MB each.
#include "appstate/globals.h"
#include "bench/bench_support.h"
#include "corelib/core.h"
#include "hotlist/hotlistbox.h"
#include "hotlist/hyperlink.h"
#include "hotlist/itemclick.h"
#include "mainwnd/maindlg.h"
#include "res/resource.h"
#include "store/dbsession.h"
#include "store/pins.h"
#include "store/sqlite_handles.h"
#include "store/statements.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/support/item_schema.h"

#include <psapi.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
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
constexpr int kReloads = 100;
// A floor with a window per item makes and destroys that many windows; past this many only one run,
// and none past the old floor's limit: Wine's window table, shared by the whole session, holds about
// 32,700 windows.
constexpr int kManyWindowRuns = 5000;
constexpr int kMaxWindowFloor = 20000;
// Paging a million items a page at a time would take minutes: this many pages down, the end, back.
constexpr int kMaxPages = 200;
constexpr UINT WM_BENCH_NEXT = WM_APP + 40;
// A click on the last row that copies nothing within this time is given up.
constexpr UINT_PTR kClickWatchTimer = 40;
constexpr UINT kClickWatchMs = 3000;
// Ticks while the list loads: the longest gap between two is how long the window kept them waiting.
constexpr UINT_PTR kTickTimer = 41;
constexpr UINT kTickMs = 10;

struct Memory {
    size_t privateKb = 0;
    size_t peakKb = 0;
};

Memory ProcessMemory()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof(counters)))
        return {};
    // The committed private bytes (what Windows calls the private bytes; Wine fills only these).
    return {counters.PagefileUsage / 1024, counters.PeakPagefileUsage / 1024};
}

void Exec(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        std::printf("# %s failed: %s\n", sql, sqlite3_errmsg(db));
}

// How many items MIRELO_HOTLIST_PINS asks to pin (0 when unset).
int PinsWanted()
{
    const char* wanted = std::getenv("MIRELO_HOTLIST_PINS");
    return wanted ? std::max(0, std::atoi(wanted)) : 0;
}

// A sys.mdb of count items made row by row, so that no copy of them stays in this process: labels
// and contents like a user's snippets (or contents of contentChars characters), counts and times
// spread so that the order has work to do.
void CreateItems(const std::wstring& path, int count, int contentChars = 0)
{
    ::DeleteFileW(path.c_str());
    ::DeleteFileW((path + L"-journal").c_str());
    CSqliteHandle db;
    sqlite3_open_v2(ToUtf8(path).c_str(), db.Put(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Exec(db.Get(), kItemSchemaSql);
    // Room for every page of the table, so that none is written twice while it is made.
    Exec(db.Get(), "PRAGMA cache_size=-262144");
    Exec(db.Get(), "BEGIN");
    CSqliteStmtHandle insert;
    const char* sql = "INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES(?,?,?,?)";
    sqlite3_prepare_v2(db.Get(), sql, -1, insert.Put(), nullptr);
    std::string big;
    for (int i = 0; i < count; ++i) {
        char label[64], content[128], time[32];
        std::snprintf(label, sizeof(label), "常用片段 %05d 地址", i);
        std::snprintf(content, sizeof(content), "北京市海淀区中关村大街 %d 号，邮编 100080。it's #%d", i, i);
        std::snprintf(time, sizeof(time), "2026-%02d-%02d %02d:%02d:00", 1 + i % 12, 1 + i % 28, i % 24, i % 60);
        if (contentChars > 0) {
            big.assign(content);
            while (big.size() < static_cast<size_t>(contentChars))
                big += " 第二段文字 abcdefghij";
            big.resize(static_cast<size_t>(contentChars));
        }
        sqlite3_bind_text(insert.Get(), 1, label, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert.Get(), 2, contentChars > 0 ? big.c_str() : content, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert.Get(), 3, (i * 7) % 50);
        sqlite3_bind_text(insert.Get(), 4, time, -1, SQLITE_TRANSIENT);
        if (sqlite3_step(insert.Get()) != SQLITE_DONE)
            std::printf("# insert failed: %s\n", sqlite3_errmsg(db.Get()));
        sqlite3_reset(insert.Get());
    }
    // MIRELO_HOTLIST_PINS items pinned, spread over the table: the list then reads them first and
    // the heat order steps over them.
    const int pins = std::min(PinsWanted(), count);
    for (const CString& statement : pins > 0 ? StmtsCreatePinTable() : std::vector<CString>())
        Exec(db.Get(), ToUtf8(statement.str()).c_str());
    for (int pin = 0; pin < pins; ++pin)
        Exec(db.Get(),
             ToUtf8(StmtPinItem(1 + static_cast<int>(static_cast<long long>(pin) * count / pins)).str())
                 .c_str());
    Exec(db.Get(), "COMMIT");
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

enum class Mode { Full, Reload, Big };

struct HotListFigures {
    double firstRowsSeconds = 0;      // timer 1 to the first screenful painted
    double firstRowsReadSeconds = 0;  // timer 1 to the first screenful in the list, not yet painted
    double loadSeconds = 0;       // timer 1 to the last chunk added
    double longestTickGap = 0;    // while loading
    bool paintLeftPending = false;
    std::vector<double> clickSeconds;
    std::vector<double> readerClickSeconds;
    std::vector<double> lastClickSeconds;
    std::vector<double> readSeconds, clipboardSeconds, countSeconds;
    int entries = 0;
    bool firstRowsInOrder = false;
    RowCounts rows;
    RowCounts scrolledRows;
    Memory afterLoad;
    std::vector<double> reloadSeconds;
    Memory afterReloads[2];  // after the first and the last
    DWORD listStyle = 0;
    SIZE listSize = {};
};

// The real main window, with stop-watches around the load and the copy.
class CBenchMainDlg : public CMainDlg {
public:
    CBenchMainDlg(std::wstring dbPath, Mode mode) : m_dbPath(std::move(dbPath)), m_mode(mode) {}
    HotListFigures figures;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kLoadTimer && m_loadStart == 0)
            return OnFirstLoadTimer(message, wParam, lParam);
        if (message == WM_TIMER && wParam == kTickTimer) {
            const double now = Now();
            if (m_lastTick > 0)
                figures.longestTickGap = std::max(figures.longestTickGap, now - m_lastTick);
            m_lastTick = now;
            return 0;
        }
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

    void OnHotListLoaded(RowQueryEnd end) override
    {
        CMainDlg::OnHotListLoaded(end);
        const double now = Now();
        if (end != RowQueryEnd::AllRead)
            std::printf("# the load ended short\n");
        if (m_reloadStart > 0) {
            figures.reloadSeconds.push_back(now - m_reloadStart);
            m_reloadStart = 0;
            if (figures.reloadSeconds.size() == 1 || figures.reloadSeconds.size() == kReloads)
                figures.afterReloads[figures.reloadSeconds.size() == 1 ? 0 : 1] = ProcessMemory();
            ::PostMessageW(m_hWnd, WM_BENCH_NEXT, 0, 0);
            return;
        }
        if (figures.loadSeconds > 0)
            return;
        figures.loadSeconds = now - m_loadStart;
        KillTimer(kTickTimer);
        figures.firstRowsInOrder = FirstRowsInHeatOrder();
        figures.afterLoad = ProcessMemory();
        figures.entries = static_cast<int>(m_list.GetCount());
        ::EnumChildWindows(m_list.m_hWnd, &CountRow, reinterpret_cast<LPARAM>(&figures.rows));
        // The hottest item is the first the load's own statement returns.
        m_topId = _wtoi(g_db->QueryValue(StmtSelectHotRows(1)));
        ::PostMessageW(m_hWnd, WM_BENCH_NEXT, 0, 0);
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
    LRESULT OnFirstLoadTimer(UINT message, WPARAM wParam, LPARAM lParam)
    {
        m_loadStart = Now();
        SetTimer(kTickTimer, kTickMs);
        return CMainDlg::WindowProc(message, wParam, lParam);
    }

    void OnFirstRowsShown() override
    {
        if (figures.firstRowsSeconds > 0 || m_reloadStart > 0)
            return;
        figures.firstRowsReadSeconds = Now() - m_loadStart;
        // Paint what the first rows invalidated, as the message loop would, until nothing is left.
        PaintNow();
        figures.firstRowsSeconds = Now() - m_loadStart;
        figures.paintLeftPending = (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0;
        // Checked against the table once the load is over: the check's own query would keep the
        // window waiting as long as the first rows' query takes.
        for (int i = 0; i < std::min(m_list.GetCount(), m_list.EntriesOnScreen()); ++i)
            m_firstIds.push_back(m_list.ItemIdAt(i));
        figures.listStyle = static_cast<DWORD>(::GetWindowLongW(m_list.m_hWnd, GWL_STYLE));
        CRect client;
        m_list.GetClientRect(&client);
        figures.listSize = {client.Width(), client.Height()};
    }

    // The entries first on screen were the table's hottest items, in order.
    bool FirstRowsInHeatOrder()
    {
        const int shown = static_cast<int>(m_firstIds.size());
        std::vector<int> expected;
        CString sql = StmtSelectHotRows(shown);
        CSqliteHandle db;
        sqlite3_open_v2(ToUtf8(m_dbPath).c_str(), db.Put(), SQLITE_OPEN_READONLY, nullptr);
        CSqliteStmtHandle stmt;
        sqlite3_prepare16_v2(db.Get(), sql.str().c_str(), -1, stmt.Put(), nullptr);
        while (sqlite3_step(stmt.Get()) == SQLITE_ROW)
            expected.push_back(sqlite3_column_int(stmt.Get(), 0));
        for (int i = 0; i < shown; ++i) {
            if (m_firstIds[static_cast<size_t>(i)] != expected[static_cast<size_t>(i)])
                return false;
        }
        return shown > 0 && static_cast<int>(expected.size()) == shown;
    }

    void NextStep()
    {
        if (m_mode == Mode::Reload) {
            NextReload();
            return;
        }
        if (m_mode == Mode::Big) {
            ::PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return;
        }
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
            PageAround();
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

    // Another program changes an item; the window, brought up, reads the list again.
    void NextReload()
    {
        if (static_cast<int>(figures.reloadSeconds.size()) >= kReloads) {
            ::PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        CSqliteHandle db;
        sqlite3_open_v2(ToUtf8(m_dbPath).c_str(), db.Put(), SQLITE_OPEN_READWRITE, nullptr);
        const std::string sql = "UPDATE T_ITEM SET title='改过 " + std::to_string(figures.reloadSeconds.size()) +
                                "' WHERE id=1";
        Exec(db.Get(), sql.c_str());
        db.Reset();
        m_reloadStart = Now();
        ReloadIfChanged();
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

    // A page at a time, as the scroll bar's page area scrolls, painting after each step: down some
    // pages, then from the end up some pages.
    void PageAround()
    {
        for (WPARAM step : {SB_PAGEDOWN, SB_PAGEUP}) {
            if (step == SB_PAGEUP) {
                m_list.SendMessage(WM_VSCROLL, SB_BOTTOM);
                PaintNow();
            }
            int top = -1;
            for (int page = 0; page < kMaxPages && top != m_list.GetTopIndex(); ++page) {
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
    Mode m_mode;
    // Closing the connection ends its transaction and lets go of the lock.
    CSqliteHandle m_reader;
    bool m_clickingLast = false;
    bool m_clickGivenUp = false;
    double m_clickStart = 0;
    double m_loadStart = 0;
    double m_lastTick = 0;
    double m_reloadStart = 0;
    int m_topId = 0;
    std::vector<int> m_firstIds;  // the entries of the first screenful
};

// The floor's host window, destroyed with its list and rows when the measurement ends.
struct CFloorWindowTraits : CNullHandleTraits<HWND> {
    static void Close(HWND hWnd) noexcept { ::DestroyWindow(hWnd); }
};
using CFloorWindow = CUniqueHandle<CFloorWindowTraits>;

// SQLite alone running the first screenful's query: every row stepped, every column read.
double MeasureFirstRowsFloor(const std::wstring& dbPath, int rows)
{
    const std::wstring sql = StmtSelectHotRows(rows).str();
    const double start = Now();
    CSqliteHandle db;
    sqlite3_open_v2(ToUtf8(dbPath).c_str(), db.Put(), SQLITE_OPEN_READONLY, nullptr);
    CSqliteStmtHandle stmt;
    sqlite3_prepare16_v2(db.Get(), sql.c_str(), -1, stmt.Put(), nullptr);
    while (sqlite3_step(stmt.Get()) == SQLITE_ROW) {
        sqlite3_column_int(stmt.Get(), 0);
        sqlite3_column_text16(stmt.Get(), 1);
        sqlite3_column_text16(stmt.Get(), 2);
    }
    stmt.Reset();
    db.Reset();
    return Now() - start;
}

// The list's SELECT by SQLite alone, one entry per item in a list box of the hot list's style and
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
    const std::wstring sql = StmtSelectHotRows().str();
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
        sqlite3_prepare16_v2(db.Get(), sql.c_str(), -1, stmt.Put(), nullptr);
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        int added = 0;
        std::vector<int> ids;
        while (sqlite3_step(stmt.Get()) == SQLITE_ROW) {
            // Every column read, as the load reads them.
            const int id = sqlite3_column_int(stmt.Get(), 0);
            sqlite3_column_text16(stmt.Get(), 1);
            sqlite3_column_text16(stmt.Get(), 2);
            ++added;
            if (windowPerItem || added <= onScreen) {
                HWND row = ::CreateWindowExW(
                    0, L"STATIC", L"", WS_CHILD | SS_SIMPLE, 0, 0, listSize.cx, listSize.cy / 20, list,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(1001 + added)), nullptr, nullptr);
                fonts.emplace_back();
                fonts.back().CreateFontIndirect(&logFont);
                ::SendMessageW(row, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back().GetSafeHandle()), TRUE);
            }
            ids.push_back(id);
        }
        // The list box of the hot list's style keeps no data per entry: its count, set once.
        ::SendMessageW(list, LB_SETITEMHEIGHT, 0, entryHeight);
        ::SendMessageW(list, LB_SETCOUNT, ids.size(), 0);
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    return Now() - start;
}

// The machine's speed drifts from call to call: the middle one of several runs.
double MedianOf(int runs, const std::function<double()>& measure)
{
    std::vector<double> values;
    for (int run = 0; run < runs; ++run)
        values.push_back(measure());
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

HotListFigures RunMainWindow(CWinApp& app, const std::wstring& dbPath, Mode mode)
{
    CBenchMainDlg dlg(dbPath, mode);
    app.m_pMainWnd = &dlg;
    dlg.DoModal();
    app.m_pMainWnd = nullptr;
    return dlg.figures;
}

void PrintLoad(const char* name, const HotListFigures& figures, int count)
{
    if (figures.entries != count)
        std::printf("# only %d of %d items listed\n", figures.entries, count);
    // Pinned items come before the hottest.
    if (!figures.firstRowsInOrder && PinsWanted() == 0)
        std::printf("# the first screenful was not the hottest items in order\n");
    std::printf("%sfirst_rows_ms: %.1f ms\n", name, figures.firstRowsSeconds * 1000);
    std::printf("%sload_ms: %.1f ms\n", name, figures.loadSeconds * 1000);
    std::printf("%sanswer_max_ms: %.1f ms\n", name, figures.longestTickGap * 1000);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string modeArg = argc > 1 ? argv[1] : "";
    const Mode mode = modeArg == "--reload" ? Mode::Reload : modeArg == "--big" ? Mode::Big : Mode::Full;
    const int count = mode == Mode::Big ? 2000 : std::atoi(argv[mode == Mode::Full ? 1 : 2]);
    CWinApp app;
    const std::wstring folder = bench::ProgramFolder();
    const std::wstring dbPath = folder + L"sys.mdb";
    ::DeleteFileW((folder + L"hotlist_bench.ini").c_str());
    CreateItems(dbPath, count, mode == Mode::Big ? 1024 * 1024 : 0);
    const Memory before = ProcessMemory();

    const HotListFigures figures = RunMainWindow(app, dbPath, mode);
    if (mode == Mode::Big) {
        PrintLoad("big_items_", figures, count);
        std::printf("big_items_private_kb: %zu kB\n", figures.afterLoad.peakKb);
        ::DeleteFileW(dbPath.c_str());
        std::fflush(stdout);
        return 0;
    }
    if (mode == Mode::Reload) {
        std::printf("reload_%d_ms: %.1f ms\n", count, Median(figures.reloadSeconds) * 1000);
        std::printf("reload_private_1_kb: %zu kB\n", figures.afterReloads[0].privateKb);
        std::printf("reload_private_100_kb: %zu kB\n", figures.afterReloads[1].privateKb);
        std::fflush(stdout);
        return 0;
    }

    const int firstRows = std::min(count, std::max(1, static_cast<int>(figures.listSize.cy) /
                                                          std::max(1, static_cast<int>(figures.listSize.cy) * 6 / 100) + 1));
    // Past a hundred thousand items one run each: the table's sort alone takes many seconds.
    const int floorRuns = count > 100000 ? 1 : kFloorRuns;
    const double firstRowsFloor = MedianOf(floorRuns, [&] { return MeasureFirstRowsFloor(dbPath, firstRows); });
    const double floor =
        MedianOf(floorRuns, [&] { return MeasureFloor(dbPath, figures.listStyle, figures.listSize, false); });
    const bool windowFloor = count <= kMaxWindowFloor;
    const double windowsFloor = windowFloor ? MedianOf(count <= kManyWindowRuns ? kFloorRuns : 1, [&] {
        return MeasureFloor(dbPath, figures.listStyle, figures.listSize, true);
    })
                                            : 0;

    if (figures.paintLeftPending)
        std::printf("# a paint was still pending after the first paint\n");
    if (figures.entries != count)
        std::printf("# only %d of %d items listed\n", figures.entries, count);
    // Pinned items come before the hottest.
    if (!figures.firstRowsInOrder && PinsWanted() == 0)
        std::printf("# the first screenful was not the hottest items in order\n");
    std::printf("first_rows_%d_ms: %.1f ms\n", count, figures.firstRowsSeconds * 1000);
    // The same without the first paint, which costs the same at any count (the rows' windows and
    // fonts): what compares with SQLite's own time for the query.
    std::printf("first_rows_read_%d_ms: %.1f ms\n", count, figures.firstRowsReadSeconds * 1000);
    std::printf("first_rows_floor_%d_ms: %.1f ms\n", count, firstRowsFloor * 1000);
    std::printf("load_%d_ms: %.1f ms\n", count, figures.loadSeconds * 1000);
    std::printf("floor_%d_ms: %.1f ms\n", count, floor * 1000);
    if (windowFloor)
        std::printf("floor_windows_%d_ms: %.1f ms\n", count, windowsFloor * 1000);
    std::printf("load_over_floor_%d: %.2f x\n", count, floor > 0 ? figures.loadSeconds / floor : 0.0);
    std::printf("answer_max_%d_ms: %.1f ms\n", count, figures.longestTickGap * 1000);
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
    std::printf("private_base_kb: %zu kB\n", before.privateKb);
    std::printf("private_%d_kb: %zu kB\n", count, figures.afterLoad.privateKb);
    std::printf("peak_private_%d_kb: %zu kB\n", count, figures.afterLoad.peakKb);
    std::fflush(stdout);
    return 0;
}
