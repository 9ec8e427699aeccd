// Items file benchmark: 导出 of 100,000 items through the items dialog, against the same rows read
// and written to a file by SQLite alone; 导入 of that file into an empty table, against the same
// rows inserted by SQLite alone in one transaction with one prepared statement. Each figure is the
// median of five runs, the program's and the floor's taken in turn. Last, 导入 of 100,000 records
// that all repeat the one item of the table.
#include "appstate/globals.h"
#include "bench/bench_support.h"
#include "corelib/core.h"
#include "framework/afxwin.h"
#include "items/itemsdlg.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "store/dbsession.h"
#include "store/sqlite_handles.h"
#include "tests/support/message_box.h"
#include "tests/support/modal_script.h"
#include "tests/support/testdb.h"

#include <commctrl.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using bench::Now;
using bench::ToUtf8;

constexpr int kItems = 100000;
constexpr int kRuns = 5;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

using bench::g_boxCreated;
using bench::NoteBoxCreation;

std::wstring DataFolder()
{
    std::wstring folder = bench::ProgramFolder() + L"bench_data\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void UseDatabase(const std::wstring& path)
{
    testing_support::CreateItemDatabase(path);
    g_connStr = BuildConnectionString(path.c_str());
    g_db->SetConnectionString(g_connStr);
}

// kItems items of a few dozen characters, each content with a comma and quotes (so every record is
// quoted), half of them clicked.
void FillDatabase(const std::wstring& path)
{
    testing_support::ExecuteSql(path,
                                L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<" +
                                    std::to_wstring(kItems) +
                                    L") INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) SELECT '标签'||i,"
                                    L"'导入测试第'||i||'行, \"引号\" it''s a line of the benchmark.',i%50,"
                                    L"CASE WHEN i%2 THEN NULL ELSE '2026-02-09 09:15:00' END FROM n;");
}

class CBenchItemsDlg : public CItemsDlg {
public:
    std::wstring path;

protected:
    CString ChooseImportFile() override { return CString(path); }
    CString ChooseExportFile(const CString&) override { return CString(path); }
};

// From the press of a button to the creation of the message box that ends its work (which says
// what went out or came in); the box's text in box.
double MeasureToBox(int button, const std::wstring& file, std::wstring& box, CBenchItemsDlg& dlg)
{
    double start = 0;
    dlg.path = file;
    testing_support::CModalScript script;
    script.Then([&] { return dlg.m_hWnd && ::IsWindowVisible(dlg.m_hWnd); })
        .Then([&] {
            g_boxCreated = 0;
            start = Now();
            ::PostMessageW(::GetDlgItem(dlg.m_hWnd, button), BM_CLICK, 0, 0);
            return true;
        })
        .Then(
            [&] {
                HWND found = testing_support::FindSystemDialog();
                if (!found)
                    return false;
                box = testing_support::MessageBoxText(found);
                testing_support::AnswerMessageBox(found, IDOK);
                return true;
            },
            600000)
        .Then([&] {
            ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, &NoteBoxCreation, nullptr, ::GetCurrentThreadId());
    script.Start();
    dlg.DoModal();
    ::UnhookWindowsHookEx(hook);
    return g_boxCreated - start;
}

// The same rows, newest first, each column's text written as it stands with commas and CR LF, a
// megabyte at a time: SQLite's C interface alone, one prepared statement.
double MeasureExportFloor(const std::wstring& dbPath, const std::wstring& file)
{
    CSqliteHandle db;
    if (sqlite3_open_v2(ToUtf8(dbPath).c_str(), db.Put(), SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return -1;
    double start = Now();
    FILE* out = _wfopen(file.c_str(), L"wb");
    CSqliteStmtHandle stmt;
    const char sql[] = "SELECT title,data1,clicktimes,lasttime FROM T_ITEM order by id desc";
    sqlite3_prepare_v2(db.Get(), sql, -1, stmt.Put(), nullptr);
    std::string buffer;
    while (sqlite3_step(stmt.Get()) == SQLITE_ROW) {
        for (int column = 0; column < 4; ++column) {
            if (column > 0)
                buffer += ',';
            if (const unsigned char* text = sqlite3_column_text(stmt.Get(), column))
                buffer.append(reinterpret_cast<const char*>(text),
                              static_cast<size_t>(sqlite3_column_bytes(stmt.Get(), column)));
        }
        buffer += "\r\n";
        if (buffer.size() >= (1 << 20)) {
            fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    fwrite(buffer.data(), 1, buffer.size(), out);
    fclose(out);
    return Now() - start;
}

struct Row {
    std::string title, data1, lasttime;
    int clicktimes;
};

// The same rows inserted into an empty table in one transaction with one prepared statement, the
// last first as the import does.
double MeasureImportFloor(const std::wstring& sourcePath, const std::wstring& dbPath)
{
    std::vector<Row> rows;
    {
        CSqliteHandle source;
        sqlite3_open_v2(ToUtf8(sourcePath).c_str(), source.Put(), SQLITE_OPEN_READONLY, nullptr);
        CSqliteStmtHandle read;
        sqlite3_prepare_v2(source.Get(), "SELECT title,data1,clicktimes,lasttime FROM T_ITEM order by id", -1,
                           read.Put(), nullptr);
        while (sqlite3_step(read.Get()) == SQLITE_ROW) {
            auto text = [&](int column) {
                const unsigned char* value = sqlite3_column_text(read.Get(), column);
                return value ? std::string(reinterpret_cast<const char*>(value)) : std::string();
            };
            rows.push_back({text(0), text(1), text(3), sqlite3_column_int(read.Get(), 2)});
        }
    }
    CSqliteHandle db;
    if (sqlite3_open_v2(ToUtf8(dbPath).c_str(), db.Put(), SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return -1;
    double start = Now();
    sqlite3_exec(db.Get(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    CSqliteStmtHandle insert;
    sqlite3_prepare_v2(db.Get(), "insert into T_ITEM(title,data1,clicktimes,lasttime) values(?1,?2,?3,?4)",
                       -1, insert.Put(), nullptr);
    for (const Row& row : rows) {
        sqlite3_reset(insert.Get());
        sqlite3_bind_text(insert.Get(), 1, row.title.data(), static_cast<int>(row.title.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(insert.Get(), 2, row.data1.data(), static_cast<int>(row.data1.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int(insert.Get(), 3, row.clicktimes);
        if (row.lasttime.empty())
            sqlite3_bind_null(insert.Get(), 4);
        else
            sqlite3_bind_text(insert.Get(), 4, row.lasttime.data(), static_cast<int>(row.lasttime.size()),
                              SQLITE_STATIC);
        sqlite3_step(insert.Get());
    }
    insert.Reset();
    sqlite3_exec(db.Get(), "COMMIT", nullptr, nullptr, nullptr);
    return Now() - start;
}

// 导入 of a file of kItems records equal to the one item of the table (each is skipped as a repeat).
double MeasureRepeats(const std::wstring& folder, int& skipped)
{
    const std::wstring file = folder + L"items_repeats.csv";
    {
        std::ofstream out(ToUtf8(file), std::ios::binary);
        out << "\xEF\xBB\xBF标签,内容,点击次数,最后复制时间\r\n";
        for (int i = 0; i < kItems; ++i)
            out << "地址,北京市海淀区中关村大街 27 号,3,\r\n";
    }
    UseDatabase(folder + L"items_repeats.mdb");
    testing_support::ExecuteSql(
        folder + L"items_repeats.mdb",
        L"INSERT INTO T_ITEM(title,data1) VALUES('地址','北京市海淀区中关村大街 27 号')");
    std::wstring box;
    CBenchItemsDlg importing;
    const double seconds = MeasureToBox(IDC_IMPORT, file, box, importing);
    const CImportReport& report = importing.LastImport();
    if (report.importedLines != 0)
        std::printf("# repeats imported: %d (%s)\n", report.importedLines, ToUtf8(box).c_str());
    skipped = report.skippedRepeats;
    return seconds;
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp app;
    g_core = new CCore;
    g_db = new CDbSession;
    const std::wstring folder = DataFolder();
    const std::wstring source = folder + L"items_source.mdb", file = folder + L"items_100000.csv";

    UseDatabase(source);
    FillDatabase(source);
    std::vector<double> exports, exportFloors, imports, importFloors;
    int exported = 0, imported = 0;
    std::wstring box;
    for (int run = 0; run < kRuns; ++run) {
        g_connStr = BuildConnectionString(source.c_str());
        g_db->SetConnectionString(g_connStr);
        CBenchItemsDlg exporting;
        exports.push_back(MeasureToBox(IDC_EXPORT, file, box, exporting));
        exported = exporting.LastExport().exportedItems;
        exportFloors.push_back(MeasureExportFloor(source, folder + L"items_floor.csv"));
        UseDatabase(folder + L"items_imported.mdb");
        CBenchItemsDlg importing;
        imports.push_back(MeasureToBox(IDC_IMPORT, file, box, importing));
        imported = importing.LastImport().importedLines;
        testing_support::CreateItemDatabase(folder + L"items_floor.mdb");
        importFloors.push_back(MeasureImportFloor(source, folder + L"items_floor.mdb"));
    }
    const double exportSeconds = Median(exports), exportFloor = Median(exportFloors);
    const double importSeconds = Median(imports), importFloor = Median(importFloors);

    if (exported != kItems || imported != kItems)
        std::printf("# incomplete: %d exported, %d imported (%s)\n", exported, imported, ToUtf8(box).c_str());
    std::printf("export_100000_ms: %.0f ms\n", exportSeconds * 1000);
    std::printf("export_floor_100000_ms: %.0f ms\n", exportFloor * 1000);
    std::printf("export_over_floor_100000: %.2f x\n", exportFloor > 0 ? exportSeconds / exportFloor : 0.0);
    std::printf("csv_import_100000_ms: %.0f ms\n", importSeconds * 1000);
    std::printf("csv_import_floor_100000_ms: %.0f ms\n", importFloor * 1000);
    std::printf("csv_import_over_floor_100000: %.2f x\n",
                importFloor > 0 ? importSeconds / importFloor : 0.0);
    std::fflush(stdout);

    int skipped = 0;
    const double repeatsSeconds = MeasureRepeats(folder, skipped);
    if (skipped != kItems)
        std::printf("# %d of %d repeats skipped\n", skipped, kItems);
    std::printf("csv_import_repeats_100000_ms: %.0f ms\n", repeatsSeconds * 1000);
    std::fflush(stdout);

    delete g_db;
    delete g_core;
    return 0;
}
