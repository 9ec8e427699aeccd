// Search box benchmark: the real main window over a sys.mdb of N items (N from the command line).
// Each query is typed a character at a time, then the box is emptied; a keystroke is timed from the
// box's text changing to the list refilled and the highlight set (painting excluded: it follows
// when the loop is idle).
#include "bench/bench_support.h"
#include "mainwnd/maindlg.h"
#include "res/resource.h"
#include "tests/support/testdb.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::Now;

constexpr UINT_PTR kStartTimer = 50;
// One letter, initials, a whole reading, a term matching nothing; then the box is emptied.
const wchar_t* const kQueries[] = {L"s", L"bj", L"beijing", L"zzqx"};

// Addresses of several cities, a tenth of them in Beijing; labels numbered.
std::vector<testing_support::TestItem> MakeItems(int count)
{
    const wchar_t* const places[] = {L"上海市浦东新区世纪大道", L"广州市天河区体育西路", L"深圳市南山区科技园",
                                     L"杭州市西湖区文三路", L"成都市武侯区人民南路", L"南京市鼓楼区中山路",
                                     L"武汉市洪山区珞喻路", L"西安市雁塔区长安路", L"重庆市渝中区解放碑",
                                     L"北京市海淀区中关村大街"};
    std::vector<testing_support::TestItem> items;
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::wstring number = std::to_wstring(i);
        items.push_back({L"常用片段 " + number, std::wstring(places[i % 10]) + L" " + number + L" 号，it's #" + number,
                         (i * 7) % 50, std::nullopt});
    }
    return items;
}

class CBenchMainDlg : public CMainDlg {
public:
    std::vector<double> keystrokes;
    int listed = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kStartTimer) {
            // Waits for the whole list; then types every query in one go and ends.
            if (!m_loaded)
                return 0;
            KillTimer(kStartTimer);
            listed = static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_HOTLIST, LB_GETCOUNT, 0, 0));
            TypeQueries();
            PostMessage(WM_COMMAND, IDCANCEL);
            return 0;
        }
        return CMainDlg::WindowProc(message, wParam, lParam);
    }
    void OnHotListLoaded(RowQueryEnd end) override
    {
        CMainDlg::OnHotListLoaded(end);
        m_loaded = true;
    }
    BOOL OnInitDialog() override
    {
        BOOL result = CMainDlg::OnInitDialog();
        SetTimer(kStartTimer, 50);
        return result;
    }

private:
    bool m_loaded = false;

    void TypeQueries()
    {
        HWND box = ::GetDlgItem(m_hWnd, IDC_SEARCH);
        for (const wchar_t* query : kQueries) {
            std::wstring typed;
            for (const wchar_t* ch = query; *ch; ++ch) {
                typed += *ch;
                keystrokes.push_back(Keystroke(box, typed));
            }
            keystrokes.push_back(Keystroke(box, L""));
        }
    }
    static double Keystroke(HWND box, const std::wstring& text)
    {
        const double start = Now();
        ::SetWindowTextW(box, text.c_str());
        return Now() - start;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    CWinApp app;
    const std::wstring folder = bench::ProgramFolder();
    ::DeleteFileW((folder + L"filter_bench.ini").c_str());
    testing_support::CreateItemDatabase(folder + L"sys.mdb", MakeItems(count));
    CBenchMainDlg dlg;
    app.m_pMainWnd = &dlg;
    dlg.DoModal();
    app.m_pMainWnd = nullptr;

    std::vector<double> times = dlg.keystrokes;
    if (dlg.listed != count || times.empty()) {
        std::printf("# only %d of %d items listed, %zu keystrokes\n", dlg.listed, count, times.size());
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("filter_%d_ms: %.2f ms\n", count, times[times.size() / 2] * 1000);
    std::printf("filter_max_%d_ms: %.2f ms\n", count, times.back() * 1000);
    std::fflush(stdout);
    return 0;
}
