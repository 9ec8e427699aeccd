// Delete-and-undo benchmark: 全选 and 删除选中 of 300,000 items in the items dialog, then 撤销,
// against the delete statement alone (all the dialog ran before it kept anything); and the memory the undo keeps per item, against the
// bytes of the items' own texts in UTF-16.
#include "appstate/globals.h"
#include "bench/bench_support.h"
#include "corelib/core.h"
#include "framework/afxwin.h"
#include "items/deleteundo.h"
#include "items/itemsdlg.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "store/dbsession.h"
#include "store/itemid.h"
#include "store/statements.h"
#include "tests/support/modal_script.h"
#include "tests/support/testdb.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::Now;

constexpr int kItems = 300000;

// kItems items of a few dozen characters, half of them clicked.
void FillDatabase(const std::wstring& path)
{
    testing_support::CreateItemDatabase(path);
    testing_support::ExecuteSql(path,
                                L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<" +
                                    std::to_wstring(kItems) +
                                    L") INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) SELECT '标签'||i,"
                                    L"'撤销测试第'||i||'行, it''s a line of the benchmark.',i%50,"
                                    L"CASE WHEN i%2 THEN NULL ELSE '2026-02-09 09:15:00' END FROM n;");
}

// The seconds of each press, from its click to its end; the rows listed after each.
struct Presses {
    double deleteSeconds = -1, undoSeconds = -1;
    int rowsAfterDelete = -1, rowsAfterUndo = -1;
};

Presses MeasureDialog()
{
    Presses presses;
    CItemsDlg dlg;
    auto press = [&](int id) {
        double start = Now();
        ::SendMessageW(::GetDlgItem(dlg.m_hWnd, id), BM_CLICK, 0, 0);
        return Now() - start;
    };
    testing_support::CModalScript script;
    script.Then([&] { return dlg.m_hWnd && ::IsWindowVisible(dlg.m_hWnd); }).Then([&] {
        dlg.listCheckAll(dlg.m_list, 1);
        presses.deleteSeconds = press(IDC_DELETECHECKED);
        presses.rowsAfterDelete = dlg.m_list.GetItemCount();
        presses.undoSeconds = press(IDC_UNDO);
        presses.rowsAfterUndo = dlg.m_list.GetItemCount();
        ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    script.Start();
    dlg.DoModal();
    return presses;
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp app;
    const std::wstring path = bench::ProgramFolder() + L"undo_bench.mdb";
    g_core = new CCore;
    g_db = new CDbSession;
    g_connStr = BuildConnectionString(path.c_str());
    g_db->SetConnectionString(g_connStr);

    FillDatabase(path);
    const Presses presses = MeasureDialog();

    FillDatabase(path);
    std::vector<int> ids;
    for (int id = kItems; id >= 1; --id)
        ids.push_back(id);
    double start = Now();
    g_db->Execute(StmtDeleteItems(ItemIdList(ids)));
    const double plainSeconds = Now() - start;

    FillDatabase(path);
    const std::wstring textBytes = testing_support::QueryText(
        path, L"SELECT sum(length(title)+length(data1)+ifnull(length(lasttime),0))*2 FROM T_ITEM");
    std::vector<CItemRows::Place> places;
    for (int id = kItems; id >= 1; --id)
        places.push_back({id, kItems - id});
    CDeleteUndo undo;
    undo.Delete(g_connStr, places);
    const size_t keptBytes = undo.KeptBytes();

    if (presses.rowsAfterDelete != 0 || presses.rowsAfterUndo != kItems)
        std::printf("# incomplete: %d rows after the delete, %d after the undo\n", presses.rowsAfterDelete,
                    presses.rowsAfterUndo);
    std::printf("undo_delete_300000_ms: %.0f ms\n", presses.deleteSeconds * 1000);
    std::printf("undo_delete_floor_300000_ms: %.0f ms\n", plainSeconds * 1000);
    std::printf("undo_restore_300000_ms: %.0f ms\n", presses.undoSeconds * 1000);
    std::printf("undo_kept_per_item: %.1f B\n", static_cast<double>(keptBytes) / kItems);
    std::printf("undo_texts_per_item: %.1f B\n", std::stod(textBytes) / kItems);
    std::fflush(stdout);

    delete g_db;
    delete g_core;
    return 0;
}
