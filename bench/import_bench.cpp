// Import and items-dialog benchmark: a 100,000-line file through the import button, the same
// inserts run by SQLite alone, and opening the items dialog over 10,000 items.
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
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::Now;
using bench::ToUtf8;

constexpr int kImportLines = 100000;
constexpr int kListedItems = 10000;

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

// Answers any message box a failure would show, so that a broken run ends instead of waiting.
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
    CImportReport report;
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
                double start = Now();
                ::SendMessageW(::GetDlgItem(dlg.m_hWnd, IDC_IMPORT), BM_CLICK, 0, 0);
                dlg.m_list.UpdateWindow();
                figures.endToEndSeconds = Now() - start;
                figures.report = dlg.LastImport();
                figures.listedRows = dlg.m_list.GetItemCount();
                ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
                return true;
            },
            600000);
    script.Start();
    dlg.DoModal();
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

// From the tray command to the items dialog on screen (found by the first timer tick after it
// has shown and painted).
double MeasureOpen()
{
    double start = 0, shown = 0;
    testing_support::CModalScript script;
    script.Then(
        [&] {
            HWND dlg = ::FindWindowW(nullptr, L"数据项");
            if (!dlg || !::IsWindowVisible(dlg))
                return false;
            shown = Now();
            ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        60000);
    script.Start();
    start = Now();
    RunItemsCommand(nullptr);
    return shown - start;
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp app;
    g_core = new CCore;
    g_db = new CDbSession;
    ::SetTimer(nullptr, 0, 500, &CloseStrayBoxes);
    std::wstring folder = DataFolder();

    std::vector<std::string> lines = MakeLines();
    std::wstring filePath = folder + L"import_100000.txt";
    {
        std::ofstream out(ToUtf8(filePath), std::ios::binary);
        for (const std::string& line : lines)
            out << line << "\r\n";
    }
    UseDatabase(folder + L"import.mdb");
    ImportFigures import = MeasureImport(filePath);
    UseDatabase(folder + L"floor.mdb");
    double floor = MeasureFloor(folder + L"floor.mdb", lines);

    std::vector<testing_support::TestItem> items;
    for (int i = 0; i < kListedItems; ++i)
        items.push_back({L"标签" + std::to_wstring(i), Utf8ToWide(lines[static_cast<size_t>(i)])});
    UseDatabase(folder + L"open.mdb", items);
    std::vector<double> opens;
    for (int run = 0; run < 3; ++run)
        opens.push_back(MeasureOpen());
    std::sort(opens.begin(), opens.end());

    if (import.report.importedLines != kImportLines || import.listedRows != kImportLines)
        std::printf("# import incomplete: %d imported, %d listed\n", import.report.importedLines,
                    import.listedRows);
    std::printf("import_100000_ms: %.0f ms\n", import.endToEndSeconds * 1000);
    std::printf("import_table_lines_per_s: %.0f lines/s\n",
                import.report.tableSeconds > 0 ? import.report.importedLines / import.report.tableSeconds
                                               : 0.0);
    std::printf("import_floor_100000_ms: %.0f ms\n", floor * 1000);
    std::printf("import_over_floor_100000: %.2f x\n", floor > 0 ? import.report.tableSeconds / floor : 0.0);
    std::printf("items_open_10000_ms: %.0f ms\n", opens[1] * 1000);
    std::fflush(stdout);

    delete g_db;
    delete g_core;
    return 0;
}
