// The options tests' database, process-wide state and dialog-driving steps.
#include "tests/options/options_fixture.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "options/autostart.h"
#include "options/hotkey_setting.h"
#include "store/connstr.h"
#include "store/dbsession.h"

using testing_support::CModalScript;
using testing_support::StoredItem;

void COptionsTest::SetUp()
{
    m_dbPath = testing_support::TestTempPath(L"sys.mdb");
    CreateClickedDatabase();

    g_core = new CCore;
    g_core->autoFileConfig();
    g_connStr = BuildConnectionString(m_dbPath.c_str());
    g_db = new CDbSession;
    g_db->SetConnectionString(g_connStr);
    SetAutoMin(0, 0);
    ASSERT_TRUE(g_core->saveConfigB(kPasteBackKey, 0));
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName);
    ASSERT_TRUE(SaveHotkeySetting(*g_core, kDefaultHotkey));
    m_hotkeyWindow = ::CreateWindowExW(0, L"STATIC", L"hotkey owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr);
    m_hotkey = CGlobalHotkey(m_hotkeyWindow, 1, kDefaultHotkey);
}

void COptionsTest::TearDown()
{
    // Left behind, the value would start this test program at every later logon of the prefix.
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName);
    m_hotkey = CGlobalHotkey();
    ::DestroyWindow(m_hotkeyWindow);
    delete g_db;
    g_db = nullptr;
    delete g_core;
    g_core = nullptr;
    g_connStr.Empty();
    g_isAutoMin = 0;
}

void COptionsTest::CreateClickedDatabase()
{
    testing_support::CreateItemDatabase(m_dbPath, {
        {L"常用地址", L"北京市海淀区", 5, L"2026-02-09 09:00:00"},
        {std::nullopt, L"it's", 0, std::nullopt},
        {L"签名", L"此致敬礼", 12, L"2026-03-01 10:11:12"},
    });
    m_clickedItems = StoredItems();
}

std::vector<StoredItem> COptionsTest::ClearedItems() const
{
    std::vector<StoredItem> items = m_clickedItems;
    for (StoredItem& item : items) {
        item.clicktimes = 0;
        item.lasttime.reset();
    }
    return items;
}

std::vector<StoredItem> COptionsTest::StoredItems() const
{
    return testing_support::ReadItems(m_dbPath);
}

void COptionsTest::SetAutoMin(int inMemory, int stored)
{
    g_isAutoMin = inMemory;
    CCore core;
    core.autoFileConfig();
    core.saveConfigB(kAutoMinKey, stored);
    ASSERT_EQ(StoredAutoMin(), stored);
}

int COptionsTest::StoredFlag(const wchar_t* key)
{
    CCore core;
    core.autoFileConfig();
    return core.getConfigB(key);
}

WORD COptionsTest::StoredHotkey()
{
    CCore core;
    core.autoFileConfig();
    return ReadHotkeySetting(core);
}

void PostClick(HWND dialog, int controlId)
{
    ::PostMessageW(::GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

void PostFocus(HWND dialog, int controlId)
{
    ::PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, controlId)), TRUE);
}

void PostKey(UINT virtualKey)
{
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, virtualKey, 1);
    ::PostMessageW(::GetFocus(), WM_KEYUP, virtualKey, 1 | (3u << 30));
}

void AnswerNextBox(CModalScript& script, int answer, SeenBox* seen)
{
    script.Then(testing_support::AnswerBox(*seen, answer), 5000, "message box appears")
          .Then([=] { return !::IsWindow(seen->box); }, 5000, "message box goes");
}
