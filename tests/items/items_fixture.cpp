// Items tests' set-up and window helpers.
#include "tests/items/items_fixture.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "store/connstr.h"
#include "store/dbsession.h"

#include <cstring>

namespace items_testing {

namespace {

struct CaptionSearch {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<CaptionSearch*>(lParam);
    wchar_t text[256] = {};
    ::GetWindowTextW(hWnd, text, ARRAYSIZE(text));
    if (::IsWindowVisible(hWnd) && std::wstring(text) == search->caption) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindThreadWindow(const wchar_t* caption)
{
    CaptionSearch search{caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring RowText(const CListCtrl& list, int row, int column)
{
    return list.GetItemText(row, column).str();
}

POINT RowPoint(const CListCtrl& list, int row)
{
    RECT rect = {};
    list.GetItemRect(row, &rect, LVIR_LABEL);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void PostDoubleClick(const CListCtrl& list, POINT point)
{
    LPARAM position = MAKELPARAM(point.x, point.y);
    ::PostMessageW(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, position);
    ::PostMessageW(list.m_hWnd, WM_LBUTTONUP, 0, position);
    ::PostMessageW(list.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, position);
    ::PostMessageW(list.m_hWnd, WM_LBUTTONUP, 0, position);
}

void PostRightClick(const CListCtrl& list, POINT point)
{
    LPARAM position = MAKELPARAM(point.x, point.y);
    ::PostMessageW(list.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, position);
    ::PostMessageW(list.m_hWnd, WM_RBUTTONUP, 0, position);
}

void PostCheckBoxClick(const CListCtrl& list, int row)
{
    // The check box is the state icon at the row's left end: found the way the list finds it.
    RECT bounds = {};
    list.GetItemRect(row, &bounds, LVIR_BOUNDS);
    for (int x = bounds.left; x < bounds.left + 40; ++x) {
        LVHITTESTINFO hit = {};
        hit.pt = POINT{x, (bounds.top + bounds.bottom) / 2};
        if (list.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == row &&
            (hit.flags & LVHT_ONITEMSTATEICON)) {
            LPARAM position = MAKELPARAM(hit.pt.x, hit.pt.y);
            ::PostMessageW(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, position);
            ::PostMessageW(list.m_hWnd, WM_LBUTTONUP, 0, position);
            return;
        }
    }
    ADD_FAILURE() << "row " << row << " shows no check box";
}

std::vector<int> ListedIds(const CItemsDlg& dlg)
{
    std::vector<int> ids;
    for (int row = 0; row < dlg.m_list.GetItemCount(); ++row)
        ids.push_back(dlg.RowId(row));
    return ids;
}

void PutOnClipboard(const std::wstring& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    if (!text.empty()) {
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_UNICODETEXT, memory);
    }
    ::CloseClipboard();
}

std::function<bool()> ChooseMenuItem(int position, SeenMenu& seen)
{
    return [position, &seen] {
        HWND window = FindPopupMenu();
        if (!window)
            return false;
        auto menu = reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0));
        seen.texts.clear();
        seen.commands.clear();
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[128] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, ARRAYSIZE(text), MF_BYPOSITION);
            seen.texts.push_back(text);
            seen.commands.push_back(::GetMenuItemID(menu, i));
        }
        for (int i = 0; i <= position; ++i)
            ::PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    };
}

CString CTestItemsDlg::ChooseImportFile()
{
    ++chooserCalls;
    if (paths.empty())
        return CString();
    std::wstring path = paths.front();
    paths.erase(paths.begin());
    return CString(path);
}

CString CTestItemsDlg::ChooseExportFile(const CString&)
{
    ++exportChooserCalls;
    if (exportPaths.empty())
        return CString();
    std::wstring path = exportPaths.front();
    exportPaths.erase(exportPaths.begin());
    return CString(path);
}

void ItemsTest::SetUp()
{
    m_folder = testing_support::TestTempDir();
    m_dbPath = m_folder + L"sys.mdb";
    testing_support::CreateItemDatabase(m_dbPath);
    g_core = new CCore;
    g_connStr = BuildConnectionString(m_dbPath.c_str());
    g_db = new CDbSession;
    g_db->SetConnectionString(g_connStr);
}

void ItemsTest::TearDown()
{
    delete g_db;
    g_db = nullptr;
    delete g_core;
    g_core = nullptr;
    g_connStr.Empty();
}

void ItemsTest::UseItems(const std::vector<TestItem>& items)
{
    testing_support::CreateItemDatabase(m_dbPath, items);
}

std::vector<StoredItem> ItemsTest::Stored() const
{
    return testing_support::ReadItems(m_dbPath);
}

std::wstring ItemsTest::WriteFile(const std::wstring& name, const std::string& bytes) const
{
    std::wstring path = m_folder + name;
    testing_support::WriteFileBytes(path, bytes);
    return path;
}

void ItemsTest::RunDialog(CDialog& dlg, const std::vector<std::function<bool()>>& steps)
{
    testing_support::CModalScript script;
    script.Then([&] { return dlg.m_hWnd && ::IsWindowVisible(dlg.m_hWnd); }, 5000, "dialog shown");
    int number = 1;
    for (const auto& step : steps)
        script.Then(step, 10000, "step " + std::to_string(number++));
    script.Then(
        [&] {
            ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        5000, "close");
    script.Start();
    dlg.DoModal();
    EXPECT_TRUE(script.Succeeded()) << "timed out at " << script.FailedStep();
}

}  // namespace items_testing
