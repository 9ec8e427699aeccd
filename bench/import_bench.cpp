// Import and items-dialog benchmark: the peak private memory of a 300 MB file's import, a
// 1,000,000-line file through the import button, the same inserts run by SQLite alone, opening and
// closing the items dialog over 10,000 to 1,000,000 items, and deleting 5,000 checked rows.
// With the argument "peak", only the first.
#include "appstate/globals.h"
#include "bench/bench_support.h"
#include "corelib/core.h"
#include "framework/afxwin.h"
#include "items/itemscommand.h"
#include "items/itemsdlg.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "store/dbsession.h"
#include "store/sqlite_handles.h"
#include "store/statements.h"
#include "tests/support/message_box.h"
#include "tests/support/modal_script.h"
#include "tests/support/testdb.h"

#include <commctrl.h>
#include <psapi.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using bench::Now;
using bench::ToUtf8;

constexpr int kImportLines = 1000000;
constexpr int kDeletedRows = 5000;
constexpr long long kPeakFileBytes = 300LL * 1000 * 1000;

std::wstring DataFolder()
{
    std::wstring folder = bench::ProgramFolder() + L"bench_data\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Forty characters a line, Chinese and ASCII, an apostrophe included, each line different (UTF-8).
std::vector<std::string> MakeLines()
{
    std::vector<std::string> lines;
    lines.reserve(kImportLines);
    for (int i = 0; i < kImportLines; ++i) {
        char number[16];
        std::snprintf(number, sizeof(number), "%06d", i);
        lines.push_back(std::string("导入测试第") + number + "行" + "it's a line of the benchmark.");
    }
    return lines;
}

void UseDatabase(const std::wstring& path, const std::vector<testing_support::TestItem>& items = {})
{
    testing_support::CreateItemDatabase(path, items);
    g_connStr = BuildConnectionString(path.c_str());
    g_db->SetConnectionString(g_connStr);
}

using bench::g_boxCreated;
using bench::NoteBoxCreation;

// Answers the import's closing box, and any a failure would show, so that a run ends.
void CALLBACK CloseStrayBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND box = testing_support::FindSystemDialog())
        testing_support::AnswerMessageBox(box, IDOK);
}

class CBenchItemsDlg : public CItemsDlg {
public:
    std::wstring path;

protected:
    CString ChooseImportFile() override { return CString(path); }
};

struct ImportFigures {
    double endToEndSeconds = 0;
    int importedLines = 0;
    double tableSeconds = 0;
    int listedRows = 0;
};

ImportFigures MeasureImport(const std::wstring& filePath)
{
    ImportFigures figures;
    CBenchItemsDlg dlg;
    dlg.path = filePath;
    testing_support::CModalScript script;
    script.Then([&] { return dlg.m_hWnd && ::IsWindowVisible(dlg.m_hWnd); })
        .Then(
            [&] {
                // Up to the closing box: the rows are in the list by then.
                g_boxCreated = 0;
                double start = Now();
                ::SendMessageW(::GetDlgItem(dlg.m_hWnd, IDC_IMPORT), BM_CLICK, 0, 0);
                figures.endToEndSeconds = g_boxCreated - start;
                // Not the report itself: a copy of its ids would count in the peak memory.
                figures.importedLines = dlg.LastImport().importedLines;
                figures.tableSeconds = dlg.LastImport().tableSeconds;
                figures.listedRows = dlg.m_list.GetItemCount();
                ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
                return true;
            },
            600000);
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, &NoteBoxCreation, nullptr, ::GetCurrentThreadId());
    script.Start();
    dlg.DoModal();
    ::UnhookWindowsHookEx(hook);
    return figures;
}

// The same statement texts, each prepared and stepped, in one transaction by SQLite alone.
double MeasureFloor(const std::wstring& dbPath, const std::vector<std::string>& lines)
{
    std::vector<std::string> statements;
    statements.reserve(lines.size());
    for (const std::string& line : lines)
        statements.push_back(ToUtf8(StmtInsertImported(CString(Utf8ToWide(line))).str()));
    CSqliteHandle db;
    if (sqlite3_open_v2(ToUtf8(dbPath).c_str(), db.Put(), SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return -1;
    double start = Now();
    sqlite3_exec(db.Get(), "BEGIN", nullptr, nullptr, nullptr);
    for (const std::string& sql : statements) {
        CSqliteStmtHandle stmt;
        sqlite3_prepare_v2(db.Get(), sql.c_str(), static_cast<int>(sql.size()), stmt.Put(), nullptr);
        sqlite3_step(stmt.Get());
    }
    sqlite3_exec(db.Get(), "COMMIT", nullptr, nullptr, nullptr);
    return Now() - start;
}

struct OpenClose {
    double openSeconds = 0;
    double closeSeconds = 0;
};

// From the tray command to the items dialog on screen (found by the first timer tick after it
// has shown and painted), and from Esc in its list to the command having returned.
OpenClose MeasureOpenClose()
{
    OpenClose figures;
    double start = 0, escape = 0;
    testing_support::CModalScript script;
    script.Then(
        [&] {
            HWND dlg = ::FindWindowW(nullptr, L"数据项");
            if (!dlg || !::IsWindowVisible(dlg))
                return false;
            figures.openSeconds = Now() - start;
            escape = Now();
            ::PostMessageW(::GetDlgItem(dlg, IDC_ITEMLIST), WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
        },
        60000);
    script.Start();
    start = Now();
    RunItemsCommand(nullptr);
    figures.closeSeconds = Now() - escape;
    return figures;
}

// Checks every row of a dialog over kDeletedRows items and presses 删除选中: until the list has
// taken the rows out and painted.
double MeasureDeleteChecked()
{
    double seconds = -1;
    CItemsDlg dlg;
    testing_support::CModalScript script;
    script.Then([&] { return dlg.m_hWnd && ::IsWindowVisible(dlg.m_hWnd); })
        .Then([&] {
            ::SendMessageW(dlg.m_hWnd, WM_COMMAND, ID_LIST_SELECTALL, 0);
            double start = Now();
            ::SendMessageW(::GetDlgItem(dlg.m_hWnd, IDC_DELETECHECKED), BM_CLICK, 0, 0);
            dlg.m_list.UpdateWindow();
            seconds = Now() - start;
            if (dlg.m_list.GetItemCount() != 0)
                std::printf("# delete incomplete: %d rows left\n", dlg.m_list.GetItemCount());
            ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
    script.Start();
    dlg.DoModal();
    return seconds;
}

// A database of count items (label and content of a few dozen characters), made by SQLite alone.
void UseDatabaseOf(const std::wstring& path, int count)
{
    UseDatabase(path);
    testing_support::ExecuteSql(path, L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<" +
                                          std::to_wstring(count) +
                                          L") INSERT INTO T_ITEM(title,data1) SELECT '标签'||i,"
                                          L"'导入测试第'||i||'行it''s a line of the benchmark.' FROM n;");
}

// The private memory the process holds now (or, where Windows keeps it, its peak so far).
size_t PrivateKb()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof(counters)))
        return 0;
    return std::max(counters.PrivateUsage, counters.PeakPagefileUsage) / 1024;
}

// The most private memory the process held while work ran: sampled every 2 ms beside it (Wine
// keeps no peak of its own), and Windows' own peak where it keeps one.
template <typename Work> size_t PeakPrivateKb(Work work)
{
    std::atomic<bool> done{false};
    std::atomic<size_t> peak{PrivateKb()};
    std::thread sampler([&] {
        while (!done.load()) {
            const size_t now = PrivateKb();
            if (now > peak.load())
                peak.store(now);
            ::Sleep(2);
        }
    });
    work();
    done.store(true);
    sampler.join();
    return std::max(peak.load(), PrivateKb());
}

// A file of at least kPeakFileBytes in lines like MakeLines' (UTF-8), written a line at a time.
void WritePeakFile(const std::wstring& path)
{
    std::ofstream out(ToUtf8(path), std::ios::binary);
    char line[128];
    for (long long written = 0, i = 0; written < kPeakFileBytes; ++i) {
        int length =
            std::snprintf(line, sizeof(line), "导入测试第%07lld行it's a line of the benchmark.\r\n", i);
        out.write(line, length);
        written += length;
    }
}

// The 300 MB file through the import button into an empty table: the process's peak private
// memory, and the items imported. The file and the table go afterwards.
void MeasurePeak(const std::wstring& folder)
{
    const std::wstring filePath = folder + L"import_300mb.txt", dbPath = folder + L"import_300mb.mdb";
    WritePeakFile(filePath);
    UseDatabase(dbPath);
    const size_t before = PrivateKb();
    ImportFigures import;
    const size_t peak = PeakPrivateKb([&] { import = MeasureImport(filePath); });
    std::printf("# 300 MB import: %d lines imported, %d listed, in %.0f ms; %zu KB private before it\n",
                import.importedLines, import.listedRows, import.endToEndSeconds * 1000, before);
    std::printf("import_peak_private_kb: %zu KB\n", peak);
    std::fflush(stdout);
    ::DeleteFileW(filePath.c_str());
    ::DeleteFileW(dbPath.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp app;
    g_core = new CCore;
    g_db = new CDbSession;
    ::SetTimer(nullptr, 0, 500, &CloseStrayBoxes);
    std::wstring folder = DataFolder();

    MeasurePeak(folder);
    if (argc > 1 && std::string(argv[1]) == "peak") {
        delete g_db;
        delete g_core;
        return 0;
    }

    std::vector<std::string> lines = MakeLines();
    std::wstring filePath = folder + L"import_1000000.txt";
    {
        std::ofstream out(ToUtf8(filePath), std::ios::binary);
        for (const std::string& line : lines)
            out << line << "\r\n";
    }
    UseDatabase(folder + L"import.mdb");
    ImportFigures import = MeasureImport(filePath);
    UseDatabase(folder + L"floor.mdb");
    double floor = MeasureFloor(folder + L"floor.mdb", lines);

    if (import.importedLines != kImportLines || import.listedRows != kImportLines)
        std::printf("# import incomplete: %d imported, %d listed\n", import.importedLines, import.listedRows);
    std::printf("import_1000000_ms: %.0f ms\n", import.endToEndSeconds * 1000);
    std::printf("import_table_lines_per_s: %.0f lines/s\n",
                import.tableSeconds > 0 ? import.importedLines / import.tableSeconds : 0.0);
    std::printf("import_floor_1000000_ms: %.0f ms\n", floor * 1000);
    std::printf("import_over_floor_1000000: %.2f x\n", floor > 0 ? import.endToEndSeconds / floor : 0.0);
    std::fflush(stdout);

    for (int count : {10000, 100000, 1000000}) {
        UseDatabaseOf(folder + L"open_" + std::to_wstring(count) + L".mdb", count);
        std::vector<OpenClose> runs;
        for (int run = 0; run < 3; ++run)
            runs.push_back(MeasureOpenClose());
        std::sort(runs.begin(), runs.end(), [](const OpenClose& a, const OpenClose& b) { return a.openSeconds < b.openSeconds; });
        std::printf("items_open_%d_ms: %.0f ms\n", count, runs[1].openSeconds * 1000);
        std::sort(runs.begin(), runs.end(), [](const OpenClose& a, const OpenClose& b) { return a.closeSeconds < b.closeSeconds; });
        std::printf("items_close_%d_ms: %.0f ms\n", count, runs[1].closeSeconds * 1000);
        std::fflush(stdout);
    }

    UseDatabaseOf(folder + L"delete.mdb", kDeletedRows);
    std::printf("delete_checked_5000_ms: %.0f ms\n", MeasureDeleteChecked() * 1000);
    std::fflush(stdout);

    delete g_db;
    delete g_core;
    return 0;
}
