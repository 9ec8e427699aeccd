// Team file benchmark: the real main window over 100,000 team items and no own ones, from timer 1
// to the last chunk added, and a query typed over them, beside the same window over the same
// number of own items; and a change of one line in a team file of 100,000 items, read again and
// stored.
#include "appstate/globals.h"
#include "bench/bench_support.h"
#include "corelib/core.h"
#include "items/teamfile.h"
#include "mainwnd/maindlg.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "store/rowquery.h"
#include "store/statements.h"
#include "store/teamstore.h"
#include "tests/support/testdb.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using bench::Now;

constexpr int kRuns = 5;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The items file as the export writes it, one record changed when `changed` names one.
void WriteTeamFile(const std::wstring& path, int count, int changed = -1)
{
    std::string bytes = "\xEF\xBB\xBF标签,内容,点击次数,最后复制时间\r\n";
    char record[256];
    for (int i = 0; i < count; ++i) {
        std::snprintf(record, sizeof(record),
                      "常用片段 %05d 地址,北京市海淀区中关村大街 %d 号，邮编 100080。%s,0,\r\n", i, i,
                      i == changed ? "（已改）" : "");
        bytes += record;
    }
    testing_support::WriteFileBytes(path, bytes);
}

std::vector<testing_support::TestItem> OwnItems(int count)
{
    // The team file's texts, item for item.
    std::vector<testing_support::TestItem> items;
    wchar_t label[64];
    for (int i = 0; i < count; ++i) {
        std::swprintf(label, 64, L"常用片段 %05d 地址", i);
        items.emplace_back(label, L"北京市海淀区中关村大街 " + std::to_wstring(i) + L" 号，邮编 100080。");
    }
    return items;
}

// The real main window, ended once its list is read whole.
class CBenchMainDlg : public CMainDlg {
public:
    double loadSeconds = 0;
    int entries = 0;
    double filterSeconds = 0;  // a query typed over the whole list, to the rows found shown

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kLoadTimer && m_start == 0)
            m_start = Now();
        return CMainDlg::WindowProc(message, wParam, lParam);
    }
    void OnHotListLoaded(RowQueryEnd end) override
    {
        if (loadSeconds > 0) {
            CMainDlg::OnHotListLoaded(end);
            return;
        }
        loadSeconds = Now() - m_start;
        entries = m_list.GetCount();
        // Pinyin and a number: every item's label and content are looked at. Typed before the
        // window's end of the load, which starts reading the team file on its own thread.
        const double filterStart = Now();
        m_hotSearch.Apply(m_list, L"pianduan 9999");
        filterSeconds = Now() - filterStart;
        CMainDlg::OnHotListLoaded(end);
        if (end != RowQueryEnd::AllRead)
            std::printf("# the load ended short\n");
        ::PostMessageW(m_hWnd, WM_COMMAND, ID_TRAY_EXIT, 0);
    }

private:
    double m_start = 0;
};

double LoadOnce(CWinApp& app, int count, std::vector<double>& filters)
{
    CBenchMainDlg dlg;
    app.m_pMainWnd = &dlg;
    const INT_PTR result = dlg.DoModal();
    app.m_pMainWnd = nullptr;
    // The exit command's quit ended that window's loop; left queued, it would end the next one's.
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (dlg.entries != count)
        std::printf("# the window ended with %d\n", static_cast<int>(result));
    if (dlg.entries != count)
        std::printf("# only %d of %d items listed\n", dlg.entries, count);
    filters.push_back(dlg.filterSeconds);
    return dlg.loadSeconds;
}

void SaveTeamFileSetting(const std::wstring& path)
{
    CCore settings;
    settings.autoFileConfig();
    if (!settings.saveConfigS(kTeamFileKey, path.c_str()))
        std::printf("# the team file setting was not saved\n");
}

// Reads the team file and stores it as the kept version.
bool ReadAndStore(const CString& connStr, const std::wstring& path)
{
    const CTeamFileRead read = ReadTeamFile(path.c_str());
    if (read.outcome != CTeamFileRead::Outcome::Read)
        return false;
    return StoreTeamVersion(connStr, {path, TeamItemsDigest(read.items), L"2026-12-09 09:00:00"}, read.items);
}

// SQLite alone stepping through a statement's rows: the floor under a load.
double QuerySeconds(const CString& connStr, const CString& statement)
{
    const double start = Now();
    int rows = 0;
    if (!RunRowQuery(connStr, statement, [&](const CDbRow&) { ++rows; }))
        std::printf("# the query failed\n");
    return Now() - start;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    CWinApp app;
    const std::wstring folder = bench::ProgramFolder();
    const std::wstring dbPath = folder + L"sys.mdb";
    const std::wstring teamPath = folder + L"team.csv";
    const CString connStr = BuildConnectionString(dbPath.c_str());

    // Team items only: the file read and kept before the start, as after an earlier run.
    testing_support::CreateItemDatabase(dbPath);
    WriteTeamFile(teamPath, count);
    const double storeStart = Now();
    if (!ReadAndStore(connStr, teamPath))
        std::printf("# the team file was not stored\n");
    const double firstStore = Now() - storeStart;
    SaveTeamFileSetting(teamPath);
    std::vector<double> teamQuery;
    for (int run = 0; run < kRuns; ++run)
        teamQuery.push_back(QuerySeconds(connStr, StmtSelectHotRowsWithTeam()));
    std::vector<double> team, teamFilter;
    for (int run = 0; run < kRuns; ++run)
        team.push_back(LoadOnce(app, count, teamFilter));

    // One line changed, read again and stored.
    std::vector<double> reread;
    for (int run = 0; run < kRuns; ++run) {
        WriteTeamFile(teamPath, count, run % 2 == 0 ? count / 2 : -1);
        const double start = Now();
        if (!ReadAndStore(connStr, teamPath))
            std::printf("# the changed team file was not stored\n");
        reread.push_back(Now() - start);
    }

    // Reading the file alone: the floor under reading it again.
    std::vector<double> readOnly;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Now();
        if (ReadTeamFile(teamPath.c_str()).outcome != CTeamFileRead::Outcome::Read)
            std::printf("# the team file was not read\n");
        readOnly.push_back(Now() - start);
    }

    // The same number of own items, no team file.
    SaveTeamFileSetting(L"");
    testing_support::CreateItemDatabase(dbPath, OwnItems(count));
    std::vector<double> ownQuery;
    for (int run = 0; run < kRuns; ++run)
        ownQuery.push_back(QuerySeconds(connStr, StmtSelectHotRows()));
    std::vector<double> own, ownFilter;
    for (int run = 0; run < kRuns; ++run)
        own.push_back(LoadOnce(app, count, ownFilter));

    std::printf("team_store_%d_ms: %.1f ms\n", count, firstStore * 1000);
    std::printf("team_load_%d_ms: %.1f ms\n", count, Median(team) * 1000);
    std::printf("own_load_%d_ms: %.1f ms\n", count, Median(own) * 1000);
    std::printf("team_query_%d_ms: %.1f ms\n", count, Median(teamQuery) * 1000);
    std::printf("own_query_%d_ms: %.1f ms\n", count, Median(ownQuery) * 1000);
    std::printf("team_over_own_load_%d: %.2f x\n", count, Median(own) > 0 ? Median(team) / Median(own) : 0.0);
    std::printf("team_filter_%d_ms: %.1f ms\n", count, Median(teamFilter) * 1000);
    std::printf("own_filter_%d_ms: %.1f ms\n", count, Median(ownFilter) * 1000);
    std::printf("team_reread_one_line_%d_ms: %.1f ms\n", count, Median(reread) * 1000);
    std::printf("team_file_read_%d_ms: %.1f ms\n", count, Median(readOnly) * 1000);
    ::DeleteFileW(dbPath.c_str());
    ::DeleteFileW(teamPath.c_str());
    std::fflush(stdout);
    return 0;
}
