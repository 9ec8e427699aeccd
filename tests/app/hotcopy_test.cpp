// End to end in the real main window: the hot list in heat order, and a click that copies and counts.
#include "appstate/globals.h"
#include "base/text_codec.h"
#include "corelib/core.h"
#include "hotlist/pinmark.h"
#include "items/teamcopy.h"
#include "mainwnd/maindlg.h"
#include "options/hotkey_setting.h"
#include "res/resource.h"
#include "store/pins.h"
#include "store/sqlite_handles.h"
#include "store/statements.h"
#include "tests/corelib/clipboard_holder_process.h"
#include "tests/hotlist/mouse_input.h"
#include "tests/hotlist/screen_capture.h"
#include "tests/store/lock_holder_process.h"
#include "tests/support/hotkey_input.h"
#include "tests/support/message_box.h"
#include "tests/support/modal_script.h"
#include "tests/support/other_program.h"
#include "tests/support/pump.h"
#include "tests/support/remote_window.h"
#include "tests/support/row_font.h"
#include "tests/support/testdb.h"
#include "tests/support/window_lookup.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

// The hottest item's content: characters no one code page holds together, two beyond the basic
// plane among them.
const wchar_t kHottestContent[] = L"谢谢 👍 Zoë ß 𠮷";

// What a pasting program gets: the program puts the UTF-16 form alone.
std::wstring ClipboardText()
{
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return L"<held>";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* units = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = units;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

HWND HotList(const CMainDlg& dlg)
{
    return ::GetDlgItem(dlg.m_hWnd, IDC_HOTLIST);
}

// Clicks the text of the list's entry at index, as a user would.
bool ClickEntry(const CMainDlg& dlg, int index)
{
    RECT entry = {};
    ::SendMessageW(HotList(dlg), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&entry));
    POINT point = {entry.left + 4, entry.top + 8};
    ::ClientToScreen(HotList(dlg), &point);
    return ClickAt(point.x, point.y);
}

// The row window over the list's entry at index, once the entry has been drawn and the row has
// sized itself to its text; null before.
HWND RowOverEntry(const CMainDlg& dlg, int index)
{
    RECT entry = {};
    ::SendMessageW(HotList(dlg), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&entry));
    HWND row =
        ::ChildWindowFromPointEx(HotList(dlg), POINT{entry.left + 2, entry.top + 2}, CWP_SKIPINVISIBLE);
    RECT rect = {};
    if (!row || row == HotList(dlg) || !::GetWindowRect(row, &rect))
        return nullptr;
    return rect.right - rect.left < entry.right - entry.left ? row : nullptr;
}

// A key pressed and let go on the keyboard, reaching the window with the focus.
void PressKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

// The file change counter of the database header (4 bytes, big-endian, at offset 24): one more
// for every transaction that wrote.
unsigned ChangeCounter(const std::wstring& db)
{
    const std::string header = FileBytes(db);
    unsigned counter = 0;
    for (size_t i = 24; i < 28 && i < header.size(); ++i)
        counter = counter << 8 | static_cast<unsigned char>(header[i]);
    return counter;
}

// The real main window, looked at after every click it has handled and every retry of its counts.
class CObservedMainDlg : public CMainDlg {
public:
    struct HandledClick {
        int id;
        std::wstring status;
        std::wstring clipboard;
        DWORD tick;
    };
    std::vector<HandledClick> m_handled;
    int m_countRetries = 0;
    int m_loads = 0;  // loads begun
    int Highlight() const { return m_list.Highlight(); }
    int ShownId(int index) const { return m_list.ItemIdAt(index); }
    bool PinnedAt(int index) const { return m_list.IsPinned(index); }
    // The texts of the rows shown, top to bottom.
    std::vector<std::wstring> Shown() const
    {
        std::vector<std::wstring> texts;
        for (int i = 0; i < m_list.GetCount(); ++i)
            texts.emplace_back(m_list.TextAt(i));
        return texts;
    }

protected:
    void LoadHotList(CHotListBox& list) override
    {
        ++m_loads;
        CMainDlg::LoadHotList(list);
    }
    void CopyItem(int id) override
    {
        CMainDlg::CopyItem(id);
        m_handled.push_back({id, StatusText(m_hWnd), ClipboardText(), ::GetTickCount()});
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CMainDlg::WindowProc(message, wParam, lParam);
        if (message == WM_TIMER && wParam == kCountRetryTimer)
            ++m_countRetries;
        return result;
    }
};

class HotCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_db = ProgramFolder() + L"sys.mdb";
        // Heat order: 9 first, then the two 5s latest first, then the never-copied item.
        CreateItemDatabase(m_db, {{L"甲", L"内容A", 5, L"2026-01-01 10:00:00"},
                                  {L"", kHottestContent, 9, L"2026-01-02 10:00:00"},
                                  {L"丙", L"内容C", 5, L"2026-03-01 10:00:00"},
                                  {std::nullopt, L"内容D"}});
        ::DeleteFileW((ProgramFolder() + L"hotcopy_tests.ini").c_str());
        SetClipboardText(L"before");
    }
    void TearDown() override { ::DeleteFileW(m_db.c_str()); }

    // Runs the main window; steps run once its four rows are listed.
    void RunMainWindow(CModalScript& script)
    {
        CObservedMainDlg dlg;
        CMainWindowScope mainScope(&dlg);
        m_dlg = &dlg;
        script.Start();
        const INT_PTR result = dlg.DoModal();
        const std::optional<int> quit = TakePendingQuit();
        m_dlg = nullptr;
        // How the window ended tells a step that timed out from a window that never came up.
        EXPECT_TRUE(script.Succeeded()) << "step: " << script.FailedStep() << ", DoModal: " << result
                                        << ", quit: " << (quit ? std::to_string(*quit) : "none");
    }
    bool Listed(int count = 4) const
    {
        return m_dlg && m_dlg->m_hWnd && ::SendMessageW(HotList(*m_dlg), LB_GETCOUNT, 0, 0) == count;
    }
    int StoredClicks(size_t index) const { return ReadItems(m_db).at(index).clicktimes; }
    void End() { ::PostMessageW(m_dlg->m_hWnd, WM_COMMAND, IDCANCEL, 0); }

    std::wstring m_db;
    CObservedMainDlg* m_dlg = nullptr;
};

}  // namespace

TEST_F(HotCopyTest, ClickCopiesTheHottestItemsContentCountsItAndSaysSo)
{
    std::wstring afterFirst, afterSecond, statusAfterClick;
    CModalScript script;
    script.Then([&] { return Listed(); }, 5000, "listed")
          .Then([&] { return ClickEntry(*m_dlg, 0); }, 5000, "click the top row")
          .Then([&] { return ClipboardText() == kHottestContent; }, 3000, "hottest item copied exactly")
          .Then([&] { statusAfterClick = StatusText(m_dlg->m_hWnd); return ClickEntry(*m_dlg, 1); }, 5000)
          .Then([&] { return ClipboardText() == L"内容C"; }, 3000, "second row copied")
          .Then([&] { return StatusText(m_dlg->m_hWnd) == L"就绪"; }, 3000, "status back to ready")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    EXPECT_EQ(statusAfterClick, L"已复制！");
    auto rows = ReadItems(m_db);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].clicktimes, 10);
    EXPECT_EQ(rows[2].clicktimes, 6);
    EXPECT_EQ(rows[0].clicktimes, 5);
    EXPECT_EQ(rows[0].lasttime, std::optional<std::wstring>(L"2026-01-01 10:00:00"));
    ASSERT_TRUE(rows[1].lasttime.has_value());
    EXPECT_GT(*rows[1].lasttime, std::wstring(L"2026-01-02 10:00:00")) << "stamped with the time of the click";
}

// The keys work with the box empty too, and after a click on the list's background (which gives the
// list the focus).
TEST_F(HotCopyTest, TypedPinyinNarrowsTheListDownAndEnterCopyTheRowAndEscShowsEveryRow)
{
    HWND box = nullptr;
    std::wstring statusAfterEnter;
    RECT list = {};
    CModalScript script;
    script.Then([&] { return Listed(); }, 5000, "listed")
          .Then([&] {
              box = ::GetDlgItem(m_dlg->m_hWnd, IDC_SEARCH);
              if (::GetFocus() != box)
                  return false;
              PressKey(VK_DOWN);
              PressKey(VK_RETURN);
              PressKey(VK_ESCAPE);
              return true;
          }, 5000, "the search box has the focus")
          .Then([&] { return m_dlg->m_handled.size() == 1 && m_dlg->Highlight() < 0; }, 3000,
                "the box empty: Down and Enter copy the top row, Esc drops the highlight")
          .Then([&] { ::GetWindowRect(HotList(*m_dlg), &list); return ClickAt(list.left + 40, list.bottom - 20); })
          .Then([&] { return ::GetFocus() == HotList(*m_dlg); }, 3000, "a click below the rows")
          .Then([&] { PressKey('N'); PressKey('R'); return true; })  // 内容 reads nei rong
          .Then([&] { return Listed(3) && m_dlg->Highlight() == 0; }, 3000, "the three contents left, the top one highlighted")
          .Then([&] { PressKey(VK_DOWN); return true; })
          .Then([&] { return m_dlg->Highlight() == 1; }, 3000, "Down moves the highlight")
          .Then([&] {
              // The Enter that confirms an input method's candidate is not ours.
              ::SendMessageW(box, WM_IME_STARTCOMPOSITION, 0, 0);
              PressKey(VK_RETURN);
              PressKey(VK_ESCAPE);
              ::SendMessageW(box, WM_IME_ENDCOMPOSITION, 0, 0);
              PressKey(VK_RETURN);
              return true;
          })
          .Then([&] { return m_dlg->m_handled.size() == 2; }, 3000, "Enter copies")
          .Then([&] { statusAfterEnter = StatusText(m_dlg->m_hWnd); PressKey(VK_ESCAPE); return true; })
          .Then([&] { return Listed(4) && StatusText(m_dlg->m_hWnd) == L"就绪"; }, 3000, "Esc shows every row again")
          // 𠮷 typed as its two halves, the box holding the first alone for a moment: the whole
          // character is no narrowing of its half.
          .Then([&] { ::SetWindowTextW(box, L"\xD842"); return Listed(0); }, 3000, "half a character finds nothing")
          .Then([&] { ::SetWindowTextW(box, L"\xD842\xDFB7"); return true; })
          .Then([&] { return Listed(1); }, 3000, "the whole character finds its item")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    EXPECT_EQ(statusAfterEnter, L"已复制！");
    auto rows = ReadItems(m_db);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].clicktimes, 6) << "甲 (内容A), the second match, copied and counted once";
    EXPECT_EQ(rows[1].clicktimes, 10) << "the top row, copied from the empty box";
    EXPECT_EQ(rows[2].clicktimes, 5);
    EXPECT_EQ(ClipboardText(), L"内容A");
}

// The user comes from another program's window (a plain one with an edit box), brings the main
// window up by the hotkey, types, and presses Enter: with the setting on, the item lands in that edit box.
TEST_F(HotCopyTest, EnterPastesIntoTheWindowTheUserCameFromWhenTheSettingSaysSo)
{
    const std::wstring content = L"第一行\r\n第二行 👍";
    struct Case {
        const char* why;
        bool pasteBack;
        bool targetClosedFirst;
        bool desktopClicked;  // after the other program's window, before the hotkey
        std::wstring pasted;  // what the other program's edit box holds afterwards
        bool minimised;
        std::wstring status;
    } cases[] = {
        {"the setting on: pasted, whole, and out of the way", true, false, false, content, true, L"已复制！"},
        {"the setting off: copied only, nothing typed", false, false, false, L"", false, L"已复制！"},
        {"the window gone before Enter: said, and the text on the clipboard", true, true, false, L"", false,
         L"原来的窗口已关闭，未能粘贴，内容已复制到剪贴板。"},
        {"the desktop clicked since: no window to go back to", true, false, true, L"", false,
         L"原来在桌面，没有可以粘贴的窗口，内容已复制到剪贴板。"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.why);
        SetUp();
        ExecuteSql(m_db, L"INSERT INTO T_ITEM(title,data1) VALUES('多行','" + content + L"')");
        {
            CCore core;
            core.autoFileConfig();
            core.saveConfigB(kPasteBackKey, test.pasteBack ? 1 : 0);
        }
        COtherProgram target;
        HWND targetWindow = nullptr, targetEdit = nullptr;
        std::wstring pasted, status;
        bool minimised = false;
        CModalScript script;
        // Started once the main window is up, so that the other program is in front of it.
        script.Then([&] { return Listed(5) && target.Start(); }, 5000, "listed, the other program started")
              .Then([&] {
                  const bool inFront = target.IsInFront();
                  targetWindow = target.Window();
                  targetEdit = ::GetWindow(targetWindow, GW_CHILD);
                  return inFront;
              }, 15000, "the other program's window in front")
              .Then([&] { return !test.desktopClicked || ClickAt(::GetSystemMetrics(SM_CXSCREEN) - 8, 300); })
              .Then([&] { return !test.desktopClicked || ::GetForegroundWindow() != targetWindow; }, 5000,
                    "a click on the desktop beside the windows")
              .Then([&] { return PressHotkeyFor(m_dlg->m_hWnd, kDefaultHotkey); }, 5000, "Ctrl+`")
              .Then([&] {
                  return ::GetForegroundWindow() == m_dlg->m_hWnd &&
                         ::GetFocus() == ::GetDlgItem(m_dlg->m_hWnd, IDC_SEARCH);
              }, 5000, "brought up by the hotkey, ready to type")
              .Then([&] {
                  if (test.targetClosedFirst)
                      ::PostMessageW(targetWindow, WM_CLOSE, 0, 0);
                  return true;
              })
              .Then([&] { return !test.targetClosedFirst || !::IsWindow(targetWindow); }, 5000, "closed")
              .Then([&] { PressKey('D'); PressKey('H'); return true; })  // 多行 reads duo hang
              .Then([&] { return Listed(1); }, 3000, "the one item found")
              .Then([&] { PressKey(VK_RETURN); return true; })
              .Then([&] { return m_dlg->m_handled.size() == 1; }, 3000, "Enter copies")
              .Then([&] {
                  pasted = ::IsWindow(targetEdit) ? RemoteWindowText(targetEdit) : L"";
                  status = StatusText(m_dlg->m_hWnd);
                  minimised = ::IsIconic(m_dlg->m_hWnd) != FALSE;
                  return pasted == test.pasted && status == test.status;
              }, 5000, "pasted or said")
              .Then([&] { End(); return true; });
        RunMainWindow(script);
        EXPECT_EQ(pasted, test.pasted);
        EXPECT_EQ(status, test.status);
        EXPECT_EQ(minimised, test.minimised);
        EXPECT_EQ(ClipboardText(), content);
        EXPECT_EQ(ReadItems(m_db).back().clicktimes, 1);
    }
}

TEST_F(HotCopyTest, ItemDeletedMeanwhileLeavesClipboardStatusAndCountsAlone)
{
    std::vector<CObservedMainDlg::HandledClick> handled;
    CModalScript script;
    script.Then([&] { return Listed(); }, 5000, "listed")
          .Then([&] { ExecuteSql(m_db, L"delete from T_ITEM where id=2"); return ClickEntry(*m_dlg, 0); }, 5000)
          .Then([&] { handled = m_dlg->m_handled; return !handled.empty(); }, 3000, "the click is handled")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_EQ(handled[0].id, 2);
    EXPECT_EQ(handled[0].status, L"就绪");
    EXPECT_EQ(handled[0].clipboard, L"before");
    auto rows = ReadItems(m_db);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].clicktimes, 5);
    EXPECT_EQ(rows[1].clicktimes, 5);
    EXPECT_EQ(rows[2].clicktimes, 0);
}

TEST_F(HotCopyTest, WithAutoMinimiseOnTheWindowStepsAsideAfterACopy)
{
    {
        CCore core;
        core.autoFileConfig();
        core.saveConfigB(L"isAutoMin", 1);
    }
    bool minimised = false;
    CModalScript script;
    script.Then([&] { return Listed(); }, 5000, "listed")
          .Then([&] { return ClickEntry(*m_dlg, 2); }, 5000)
          .Then([&] { return ClipboardText() == L"内容A"; }, 3000, "copied")
          .Then([&] { minimised = ::IsIconic(m_dlg->m_hWnd) != FALSE; return minimised; }, 2000, "minimised")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    EXPECT_TRUE(minimised);
}

TEST_F(HotCopyTest, UnderAnotherProgramsReadLockClicksCopyAndTheirCountsAreKeptUntilItLetsGo)
{
    // A database browser holding a read transaction: no count can be written meanwhile.
    std::unique_ptr<CLockHolderProcess> reader;
    auto hold = [&](DWORD holdAfterGoMs) {
        reader = std::make_unique<CLockHolderProcess>(m_db, CLockHolderProcess::Lock::Read, holdAfterGoMs);
        return reader->HoldsLock();
    };
    auto handled = [&](size_t clicks) { return m_dlg->m_handled.size() == clicks; };
    std::vector<CObservedMainDlg::HandledClick> whileHeld;
    std::vector<int> countsWhileHeld;
    unsigned counterBefore = 0, counterAfter = 0;
    CModalScript script;
    // Two clicks on the top row and one on the third, all kept.
    script.Then([&] { return Listed() && hold(0) && ClickEntry(*m_dlg, 0); }, 5000, "click while read")
          .Then([&] { return handled(1) && ClickEntry(*m_dlg, 0); }, 3000, "the top row again")
          .Then([&] { return handled(2) && ClickEntry(*m_dlg, 2); }, 3000, "the third row")
          .Then([&] { return handled(3); }, 3000, "three clicks handled")
          .Then([&] { return m_dlg->m_countRetries >= 1; }, 5000, "the retry timer tried again")
          .Then([&] {
              whileHeld = m_dlg->m_handled;
              countsWhileHeld = {StoredClicks(0), StoredClicks(1)};
              counterBefore = ChangeCounter(m_db);
              reader->Go();
              return true;
          })
          .Then([&] { return StoredClicks(1) == 11; }, 5000, "counted on the retry timer once the reader is done")
          .Then([&] { counterAfter = ChangeCounter(m_db); return hold(300) && ClickEntry(*m_dlg, 2); }, 5000,
                "click while read again")
          .Then([&] { return handled(4); }, 3000, "handled")
          .Then([&] { reader->Go(); End(); return true; });  // the reader lets go while the program ends
    RunMainWindow(script);
    ASSERT_EQ(whileHeld.size(), 3u);
    const std::wstring copied[] = {kHottestContent, kHottestContent, L"内容A"};
    for (size_t i = 0; i < whileHeld.size(); ++i) {
        EXPECT_EQ(whileHeld[i].clipboard, copied[i]) << "click " << i << " copied at once";
        EXPECT_EQ(whileHeld[i].status, L"已复制！") << "click " << i;
    }
    EXPECT_EQ(countsWhileHeld, (std::vector<int>{5, 9})) << "nothing written while the reader held on";
    EXPECT_EQ(StoredClicks(0), 7) << "one kept click, then one counted at exit";
    EXPECT_EQ(StoredClicks(1), 11) << "each kept click written once";
    EXPECT_EQ(counterAfter, counterBefore + 1) << "the kept counts were written in one transaction";
}

// An item another program deleted copies nothing and leaves the list; a writer there or a vanished
// database is said.
TEST_F(HotCopyTest, AWriterInAnotherProgramOrAVanishedDatabaseIsReportedInTheStatusLine)
{
    // A commit under way in another program keeps readers out as well.
    std::unique_ptr<CLockHolderProcess> writer;
    auto lock = [&] {
        writer = std::make_unique<CLockHolderProcess>(m_db, CLockHolderProcess::Lock::Exclusive, 0);
        return writer->HoldsLock();
    };
    std::wstring statusWhileHeld, statusWhenGone;
    auto answered = [&] { return StatusText(m_dlg->m_hWnd) != L"就绪"; };
    CModalScript script;
    script.Then([&] { return Listed(); }, 5000, "listed")
          .Then([&] { ExecuteSql(m_db, L"DELETE FROM T_ITEM WHERE id=2"); return ClickEntry(*m_dlg, 0); }, 5000,
                "click the hottest, deleted elsewhere")
          .Then([&] { return Listed(3); }, 3000, "read again without it")
          .Then([&] { return lock() && ClickEntry(*m_dlg, 0); }, 5000, "click while written")
          .Then(answered, 3000, "the click is answered")
          .Then([&] { statusWhileHeld = StatusText(m_dlg->m_hWnd); writer->Go(); return writer->WaitForExit() == 0; })
          .Then([&] { return ::DeleteFileW(m_db.c_str()) && ClickEntry(*m_dlg, 0); }, 5000, "gone")
          .Then([&] { return StatusText(m_dlg->m_hWnd) != statusWhileHeld; }, 3000, "the click is answered")
          .Then([&] { statusWhenGone = StatusText(m_dlg->m_hWnd); End(); return true; });
    RunMainWindow(script);
    EXPECT_EQ(statusWhileHeld, L"数据库正被其他程序占用，未能复制！");
    EXPECT_EQ(statusWhenGone, L"无法读取数据库，未能复制！");
    EXPECT_EQ(ClipboardText(), L"before");
}

TEST_F(HotCopyTest, RowsWhoseIdsDoNotFitIn32BitsAreNotListed)
{
    CreateItemDatabase(m_db);
    ExecuteSql(m_db, L"INSERT INTO T_ITEM(id,title,data1,clicktimes) VALUES(3000000000,'big','b',5);"
                     L"INSERT INTO T_ITEM(id,title,data1) VALUES(2147483647,'keep-me','k');");
    CModalScript script;
    script.Then([&] { return Listed(1) && ClickEntry(*m_dlg, 0); }, 5000, "'big' has no row")
          .Then([&] { return ClipboardText() == L"k" && StoredClicks(0) == 1; }, 3000, "keep-me copied and counted")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    EXPECT_EQ(StoredClicks(1), 5) << "'big' was neither copied nor counted";
}

TEST_F(HotCopyTest, AContentOfSeveralLinesShowsItsFirstLineOnOneRowAndIsCopiedWhole)
{
    CreateItemDatabase(m_db, {{L"", L"北京市\r\n海淀区", 5}, {L"", L"一行", 1}});
    const wchar_t shown[] = L"北京市 …";
    RECT several = {}, single = {};
    CModalScript script;
    auto rowsDrawn = [&] { return Listed(2) && RowOverEntry(*m_dlg, 0) && RowOverEntry(*m_dlg, 1); };
    script.Then(rowsDrawn, 5000, "rows drawn")
          .Then([&] {
              ::GetWindowRect(RowOverEntry(*m_dlg, 0), &several);
              ::GetWindowRect(RowOverEntry(*m_dlg, 1), &single);
              return ClickEntry(*m_dlg, 0);
          })
          .Then([&] { return ClipboardText() == L"北京市\r\n海淀区"; }, 3000, "both lines copied")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    EXPECT_EQ(several.right - several.left, RowSizeOf(shown, static_cast<int>(ARRAYSIZE(shown)) - 1).cx)
        << "the row is sized to its first line and the ellipsis";
    EXPECT_EQ(several.bottom - several.top, single.bottom - single.top) << "one line high";
    EXPECT_EQ(StoredClicks(0), 6);
}

TEST_F(HotCopyTest, AContentNoCodePageHoldsIsCopiedExactly)
{
    // "smile 😀 中文 é ß Ω end" as another tool stores it, in UTF-8.
    CreateItemDatabase(m_db);
    ExecuteSql(m_db, L"INSERT INTO T_ITEM(title,data1) VALUES('',CAST(X'736D696C6520F09F988020E4B8ADE6968720"
                     L"C3A920C39F20CEA920656E64' AS TEXT));");
    CModalScript script;
    script.Then([&] { return Listed(1) && ClickEntry(*m_dlg, 0); }, 5000, "listed")
          .Then([&] { return ClipboardText() == L"smile \U0001F600 中文 é ß Ω end"; }, 3000, "every character copied")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    EXPECT_EQ(StoredClicks(0), 1);
}

TEST_F(HotCopyTest, AClipboardHeldOpenByAnotherProgramIsSaidInTheStatusLineAndTheClickIsNotCounted)
{
    std::unique_ptr<CClipboardHolder> holder;
    std::vector<CObservedMainDlg::HandledClick> handled;
    std::wstring statusLater;
    CModalScript script;
    script.Then([&] { return Listed(); }, 5000, "listed")
          .Then([&] {
              holder = std::make_unique<CClipboardHolder>(CClipboardHolder::Mode::Hold, 60000);
              return holder->PumpUntilHolding() && ClickEntry(*m_dlg, 0);
          }, 5000, "click while another program holds the clipboard")
          .Then([&] { handled = m_dlg->m_handled; return !handled.empty(); }, 5000, "the click is handled")
          // Kept until the next action, well past the second a copy's word lasts: a user who looked
          // away must not paste the old clipboard believing this copy worked.
          .Then([&] { return ::GetTickCount() - handled[0].tick >= 2 * CStatusLine::kBriefMs; }, 5000, "two seconds")
          .Then([&] { statusLater = StatusText(m_dlg->m_hWnd); return true; })
          .Then([&] {
              holder->Release();
              return holder->PumpUntilExit() == 0;
          }, 25000, "the holder lets go")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_EQ(handled[0].id, 2);
    EXPECT_EQ(handled[0].status, L"剪贴板正被其他程序占用，未能复制！");
    EXPECT_EQ(statusLater, handled[0].status);
    EXPECT_EQ(ClipboardText(), L"before") << "nothing copied";
    auto rows = ReadItems(m_db);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].clicktimes, 9) << "the click is not counted";
    EXPECT_EQ(rows[1].lasttime, std::optional<std::wstring>(L"2026-01-02 10:00:00"));
}

namespace {

HWND DialogCalled(const wchar_t* caption)
{
    HWND dialog = ::FindWindowW(L"#32770", caption);
    return dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
}

void Click(HWND dialog, int id)
{
    ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// One step of a change through the tray's dialogs: what to do, and the rows the list must show
// afterwards (without waiting for any restart).
struct DialogChange {
    const char* what;
    std::function<void(CModalScript&)> drive;
    std::function<bool(const std::vector<std::wstring>&)> shows;
};

bool Holds(const std::vector<std::wstring>& rows, const std::wstring& text)
{
    return std::find(rows.begin(), rows.end(), text) != rows.end();
}

}  // namespace

TEST_F(HotCopyTest, ChangesThroughTheDialogsAndFromAnotherProgramShowAtOnceWithTheProgramRunning)
{
    const std::wstring importFile = ProgramFolder() + L"导入.txt";
    WriteFileBytes(importFile, "导入的第一行\r\n导入的第二行\r\n");
    auto items = [&](CModalScript& s, std::function<void(CModalScript&, HWND&)> work) {
        auto dialog = std::make_shared<HWND>();
        s.Then([&] { ::PostMessageW(m_dlg->m_hWnd, WM_COMMAND, ID_TRAY_ITEMS, 0); return true; })
            .Then([dialog] { return (*dialog = DialogCalled(L"数据项")) != nullptr; }, 5000, "the items dialog");
        work(s, *dialog);
        s.Then([dialog] { ::PostMessageW(*dialog, WM_COMMAND, IDCANCEL, 0); return !DialogCalled(L"数据项"); },
               5000, "the items dialog closes");
    };
    auto edit = [](CModalScript& s, const wchar_t* title, const wchar_t* content) {
        s.Then([=] {
            HWND box = DialogCalled(L"数据项编辑");
            if (!box)
                return false;
            ::SetDlgItemTextW(box, IDC_EDIT_TITLE, title);
            if (content)
                ::SetDlgItemTextW(box, IDC_EDIT_DATA1, content);
            Click(box, IDOK);
            return true;
        }, 5000, "the edit dialog").Then([] { return !DialogCalled(L"数据项编辑"); }, 5000, "edit saved");
    };
    auto firstRow = [](HWND dialog) { return ::GetDlgItem(dialog, IDC_ITEMLIST); };
    const std::vector<DialogChange> changes = {
        {"新建 adds a row", [&](CModalScript& s) {
             items(s, [&](CModalScript& in, HWND& dialog) {
                 in.Then([&] { Click(dialog, IDC_NEWITEM); return true; });
                 edit(in, L"新的标签", L"新的内容");
             });
         }, [](const auto& rows) { return rows.size() == 5 && Holds(rows, L"新的标签"); }},
        {"an edit changes its label in place", [&](CModalScript& s) {
             items(s, [&](CModalScript& in, HWND& dialog) {
                 in.Then([&] {
                     // The newest item heads the items dialog's list.
                     RECT row = {LVIR_LABEL, 0, 0, 0};
                     ::SendMessageW(firstRow(dialog), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
                     const LPARAM at = MAKELPARAM(row.left + 4, row.top + 4);
                     for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
                         ::PostMessageW(firstRow(dialog), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
                     return true;
                 });
                 edit(in, L"改过的标签", nullptr);
             });
         }, [](const auto& rows) { return rows.size() == 5 && Holds(rows, L"改过的标签") && !Holds(rows, L"新的标签"); }},
        {"a delete takes its row away", [&](CModalScript& s) {
             items(s, [&](CModalScript& in, HWND& dialog) {
                 in.Then([&] {
                     ListView_SetItemState(firstRow(dialog), 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
                     ::PostMessageW(firstRow(dialog), WM_KEYDOWN, VK_SPACE, 0);
                     Click(dialog, IDC_DELETECHECKED);
                     return true;
                 }).Then([&] { return ListView_GetItemCount(firstRow(dialog)) == 4; }, 5000, "deleted");
             });
         }, [](const auto& rows) { return rows.size() == 4 && !Holds(rows, L"改过的标签"); }},
        {"an import adds its lines", [&](CModalScript& s) {
             items(s, [&](CModalScript& in, HWND& dialog) {
                 in.Then([&] { Click(dialog, IDC_IMPORT); return true; })
                     .Then([&] {
                         // The system's file dialog: its file name box, then its open button.
                         HWND chooser = ::GetLastActivePopup(dialog);
                         if (chooser == dialog || !::GetDlgItem(chooser, 0x47C))
                             return false;
                         ::SetDlgItemTextW(chooser, 0x47C, importFile.c_str());
                         ::PostMessageW(chooser, WM_COMMAND, IDOK, 0);
                         return true;
                     }, 5000, "the file dialog")
                     .Then([&] { return ListView_GetItemCount(firstRow(dialog)) == 6; }, 10000, "imported")
                     .Then([] {
                         SeenBox said;
                         return !FindSystemDialog() || AnswerBox(said)();
                     });
             });
         }, [](const auto& rows) { return rows.size() == 6 && Holds(rows, L"导入的第一行") && Holds(rows, L"导入的第二行"); }},
        {"a cleared history gives the fresh order", [&](CModalScript& s) {
             auto dialog = std::make_shared<HWND>();
             s.Then([&] { ::PostMessageW(m_dlg->m_hWnd, WM_COMMAND, ID_TRAY_OPTIONS, 0); return true; })
                 .Then([dialog] {
                     *dialog = ::GetLastActivePopup(::GetActiveWindow());
                     return *dialog && ::GetDlgItem(*dialog, IDC_CLEARHISTORY) && ::IsWindowVisible(*dialog);
                 }, 5000, "the options dialog")
                 .Then([dialog] { Click(*dialog, IDC_CLEARHISTORY); return true; })
                 .Then([] { SeenBox confirm; return AnswerBox(confirm, IDYES)(); }, 5000, "confirm the clear")
                 .Then([dialog] { Click(*dialog, IDC_OPTIONS_OK); return !::IsWindowVisible(*dialog); }, 5000);
         }, [](const auto& rows) { return rows.size() == 6 && rows[0] == L"甲"; }},
    };
    std::vector<std::string> notShown;
    bool quitPosted = false;
    CModalScript script;
    script.Then([&] { return Listed(); }, 5000, "listed");
    for (const DialogChange& change : changes) {
        change.drive(script);
        script.Then([&] { return change.shows(m_dlg->Shown()); }, 5000, change.what).Then([&] {
            MSG quit;
            quitPosted = quitPosted || ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
            return true;
        });
    }
    // Another program changes the table; the window, brought up, shows it.
    std::unique_ptr<CLockHolderProcess> other;
    script.Then([&] {
              ::ShowWindow(m_dlg->m_hWnd, SW_MINIMIZE);
              other = std::make_unique<CLockHolderProcess>(m_db, CLockHolderProcess::Lock::Change, 0);
              other->Go();
              return other->WaitForExit() == 0;
          })
          .Then([&] { return PressHotkeyFor(m_dlg->m_hWnd, kDefaultHotkey); }, 5000, "the hotkey still works")
          .Then([&] { return Holds(m_dlg->Shown(), L"别处改过"); }, 5000, "the other program's change shows")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    EXPECT_FALSE(quitPosted) << "no change ends the program";
    EXPECT_EQ(ReadItems(m_db).size(), 6u);
    ::DeleteFileW(importFile.c_str());
}

// A change another program makes without waiting for any lock: SQLITE_OK, or why not.
int WriteAtOnce(const std::wstring& db)
{
    CSqliteHandle writer;
    sqlite3_open_v2(WideToUtf8(db).c_str(), writer.Put(), SQLITE_OPEN_READWRITE, nullptr);
    return sqlite3_exec(writer.Get(), "UPDATE T_ITEM SET clicktimes=clicktimes+1 WHERE id=1", nullptr, nullptr,
                        nullptr);
}

TEST_F(HotCopyTest, WhileALongListLoadsItsHottestRowsShowFirstAndTheWindowAnswersAtOnce)
{
    constexpr int kItems = 200000;
    std::vector<TestItem> many;
    many.reserve(kItems);
    for (int i = 0; i < kItems; ++i)
        many.push_back({L"标签 " + std::to_wstring(i), L"内容 " + std::to_wstring(i), (i * 7919) % 1000,
                        L"2026-01-01 10:00:00"});
    CreateItemDatabase(m_db, many);
    many.clear();
    // The hottest screenful, as the table orders it.
    std::vector<int> hottest;
    CSqliteHandle db;
    sqlite3_open_v2(WideToUtf8(m_db).c_str(), db.Put(), SQLITE_OPEN_READONLY, nullptr);
    CSqliteStmtHandle query;
    sqlite3_prepare16_v2(db.Get(), StmtSelectHotRows(10).str().c_str(), -1, query.Put(), nullptr);
    while (sqlite3_step(query.Get()) == SQLITE_ROW)
        hottest.push_back(sqlite3_column_int(query.Get(), 0));
    query.Reset();
    db.Reset();

    // Another thread keeps asking the window for its status line while the list loads, one
    // message after the other, timing each answer.
    std::atomic<bool> loading{true};
    std::atomic<bool> proberDone{false};
    std::atomic<DWORD> slowest{0};
    std::atomic<int> answers{0};
    std::thread prober;
    std::vector<int> firstIds;
    std::wstring progress;
    int loads = 0;
    HWND items = nullptr;
    int writeResult = -1;
    CModalScript script;
    script.Then([&] { return ::SendMessageW(HotList(*m_dlg), LB_GETCOUNT, 0, 0) > 0; }, 10000, "first rows")
          .Then([&] {
              for (int i = 0; i < static_cast<int>(hottest.size()); ++i)
                  firstIds.push_back(m_dlg->ShownId(i));
              // Brought up meanwhile, as by the hotkey: the load goes on.
              ::SendMessageW(m_dlg->m_hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
              loads = m_dlg->m_loads;
              HWND main = m_dlg->m_hWnd;
              prober = std::thread([&, main] {
                  while (loading) {
                      const DWORD start = ::GetTickCount();
                      wchar_t status[64] = {};
                      DWORD_PTR result = 0;
                      ::SendMessageTimeoutW(::GetDlgItem(main, IDC_STATUS), WM_GETTEXT, 64,
                                            reinterpret_cast<LPARAM>(status), SMTO_NORMAL, 5000, &result);
                      slowest = std::max<DWORD>(slowest, ::GetTickCount() - start);
                      ++answers;
                      if (std::wcsstr(status, L" / ") && progress.empty())
                          progress = status;
                  }
                  proberDone = true;
              });
              return true;
          })
          .Then([&] { return Listed(kItems) && StatusText(m_dlg->m_hWnd) == L"就绪"; }, 60000, "all loaded")
          // The window goes on answering the prober until it has stopped.
          .Then([&] { loading = false; return true; })
          .Then([&] { return proberDone.load(); }, 10000, "the prober stops")
          // Changed elsewhere, brought up, and the items dialog opened at once: the new load lets go
          // of the file, so that a change made there (here, another program's, which waits for no
          // lock) is not kept waiting.
          .Then([&] {
              writeResult = WriteAtOnce(m_db);
              ::SendMessageW(m_dlg->m_hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
              return ::PostMessageW(m_dlg->m_hWnd, WM_COMMAND, ID_TRAY_ITEMS, 0) != FALSE;
          })
          .Then([&] { return (items = ::FindWindowW(L"#32770", L"数据项")) != nullptr; }, 5000, "the items dialog")
          .Then([&] {
              writeResult = WriteAtOnce(m_db);
              return ::PostMessageW(items, WM_COMMAND, IDCANCEL, 0) != FALSE;
          })
          .Then([&] { return Listed(kItems) && StatusText(m_dlg->m_hWnd) == L"就绪"; }, 60000, "read again")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    loading = false;
    if (prober.joinable())
        prober.join();
    EXPECT_EQ(firstIds, hottest) << "the first screenful is the hottest items, in order";
    EXPECT_EQ(progress.rfind(L"正在载入… ", 0), 0u) << progress;
    EXPECT_NE(progress.find(L" / 200000"), std::wstring::npos) << progress;
    EXPECT_GT(answers, 0);
    EXPECT_LT(slowest, 100u) << "the longest the window kept a message waiting, in ms";
    EXPECT_EQ(loads, 1) << "begun again when brought up";
    EXPECT_EQ(writeResult, SQLITE_OK) << "the load held the file while the items dialog was up";
}

namespace {

// Right-clicks the text of the list's entry at index, as a user would.
bool RightClickEntry(const CMainDlg& dlg, int index)
{
    RECT entry = {};
    ::SendMessageW(HotList(dlg), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&entry));
    POINT point = {entry.left + 30, entry.top + 8};
    ::ClientToScreen(HotList(dlg), &point);
    return RightClickAt(point.x, point.y);
}

// A step: once a pop-up menu is open, keeps its texts and picks the item of that text by the
// keyboard, as a user would.
std::function<bool()> PickMenuItem(std::vector<std::wstring>& texts, const wchar_t* wanted)
{
    return [&texts, wanted] {
        HWND window = FindPopupMenu();
        if (!window)
            return false;
        auto menu = reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0));
        texts.clear();
        int downs = 0;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, ARRAYSIZE(text), MF_BYPOSITION);
            texts.push_back(text);
            if (text[0] && downs >= 0)
                ++downs;
            if (std::wstring(text) == wanted)
                downs = -downs;
        }
        if (downs >= 0)
            return false;
        for (int i = 0; i < -downs; ++i)
            ::PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    };
}

// Pixels of the pin's colour in the left margin of the entry at index, as the screen shows it.
int MarkPixels(const CMainDlg& dlg, int index)
{
    RECT entry = {};
    ::SendMessageW(HotList(dlg), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&entry));
    entry.right = entry.left + PinMarkMargin(20);
    ::MapWindowPoints(HotList(dlg), nullptr, reinterpret_cast<POINT*>(&entry), 2);
    return CScreenCapture(entry).Count(kPinMarkColor);
}

std::wstring PinsStored(const std::wstring& db)
{
    return QueryText(db, L"SELECT group_concat(id) FROM (SELECT id FROM T_PIN ORDER BY pinned_at)");
}

}  // namespace

// The row menu by the mouse and the keyboard: pinned rows head the list in the order pinned, with
// their mark, after a restart and among a search's matches too; unpinned, a row is back in heat
// order; the menu copies, edits in place and deletes after asking.
TEST_F(HotCopyTest, TheRowMenuPinsEditsCopiesAndDeletesTheItemItShows)
{
    const std::wstring hottest = kHottestContent;
    std::vector<std::wstring> menu, unpinMenu;
    std::vector<std::wstring> afterPins, afterRestart, searched, afterUnpin;
    int markPinned = 0, markPlain = -1;
    SeenBox asked;
    CModalScript first;
    first.Then([&] { return Listed(); }, 5000, "listed")
        .Then([&] { return RightClickEntry(*m_dlg, 2); }, 5000, "right-click 甲")
        .Then(PickMenuItem(menu, L"置顶"), 5000, "its menu")
        .Then([&] { return m_dlg->Shown().at(0) == L"甲" && m_dlg->PinnedAt(0); }, 5000, "甲 on top")
        .Then([&] {
            // The keyboard's way: Down twice from the search box, then the context-menu key.
            ::SetFocus(::GetDlgItem(m_dlg->m_hWnd, IDC_SEARCH));
            PressKey(VK_DOWN);
            PressKey(VK_DOWN);
            PressKey(VK_APPS);
            return true;
        })
        .Then(PickMenuItem(unpinMenu, L"置顶"), 5000, "the menu of the highlighted row")
        .Then([&] { return m_dlg->PinnedAt(1); }, 5000, "the hottest pinned second")
        .Then(
            [&] {
                afterPins = m_dlg->Shown();
                markPinned = std::min(MarkPixels(*m_dlg, 0), MarkPixels(*m_dlg, 1));
                markPlain = MarkPixels(*m_dlg, 2);
                return markPinned > 0;
            },
            3000, "the marks painted")
        .Then([&] {
            End();
            return true;
        });
    RunMainWindow(first);
    EXPECT_EQ(menu, (std::vector<std::wstring>{L"复制", L"编辑...", L"置顶", L"", L"删除"}));
    EXPECT_EQ(afterPins, (std::vector<std::wstring>{L"甲", hottest, L"丙", L"内容D"}))
        << "in the order pinned";
    EXPECT_EQ(markPlain, 0) << "no mark on a row not pinned";
    EXPECT_EQ(PinsStored(m_db), L"1,2");

    CModalScript second;
    second.Then([&] { return Listed(); }, 5000, "listed again")
        .Then([&] {
            afterRestart = m_dlg->Shown();
            ::SetDlgItemTextW(m_dlg->m_hWnd, IDC_SEARCH, L"nr");  // 内容 reads nei rong
            return true;
        })
        .Then([&] { return Listed(3); }, 3000, "the three contents found")
        .Then([&] {
            searched = m_dlg->Shown();
            ::SetDlgItemTextW(m_dlg->m_hWnd, IDC_SEARCH, L"");
            return true;
        })
        .Then([&] { return Listed(); }, 3000, "every row again")
        .Then([&] { return RightClickEntry(*m_dlg, 0); }, 5000, "right-click 甲")
        .Then(PickMenuItem(unpinMenu, L"取消置顶"), 5000)
        .Then([&] { return m_dlg->Shown().at(2) == L"甲"; }, 5000, "甲 back in heat order")
        .Then(
            [&] {
                afterUnpin = m_dlg->Shown();
                // Shift+F10 on the highlighted top row.
                ::SetFocus(::GetDlgItem(m_dlg->m_hWnd, IDC_SEARCH));
                PressKey(VK_DOWN);
                PressKeys(MAKEWORD(VK_F10, HOTKEYF_SHIFT));
                return true;
            },
            5000)
        .Then(PickMenuItem(menu, L"复制"), 5000, "copy the pinned row")
        .Then([&] { return ClipboardText() == hottest; }, 3000, "copied")
        .Then([&] { return RightClickEntry(*m_dlg, 1); }, 5000, "right-click 丙")
        .Then(PickMenuItem(menu, L"编辑..."), 5000)
        .Then(
            [&] {
                HWND box = ::FindWindowW(L"#32770", L"数据项编辑");
                if (!box || !::IsWindowVisible(box))
                    return false;
                ::SetDlgItemTextW(box, IDC_EDIT_TITLE, L"改名");
                ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                return true;
            },
            5000, "the edit dialog")
        .Then([&] { return m_dlg->Shown().at(1) == L"改名"; }, 5000, "renamed in place")
        .Then([&] { return RightClickEntry(*m_dlg, 3); }, 5000)
        .Then(PickMenuItem(menu, L"删除"), 5000)
        .Then(AnswerBox(asked, IDYES), 5000, "asked first")
        .Then([&] { return Listed(3); }, 5000, "deleted")
        .Then([&] {
            End();
            return true;
        });
    RunMainWindow(second);
    EXPECT_EQ(afterRestart, afterPins) << "pins are kept in the file";
    EXPECT_EQ(searched, (std::vector<std::wstring>{L"甲", L"丙", L"内容D"})) << "the pinned match first";
    EXPECT_EQ(unpinMenu, (std::vector<std::wstring>{L"复制", L"编辑...", L"取消置顶", L"", L"删除"}));
    EXPECT_EQ(afterUnpin, (std::vector<std::wstring>{hottest, L"丙", L"甲", L"内容D"}));
    EXPECT_EQ(asked.text, L"确定要删除“内容D”吗？");
    const std::vector<StoredItem> rows = ReadItems(m_db);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].clicktimes, 10) << "a pinned item's copy counts";
    EXPECT_EQ(rows[2].title, std::optional<std::wstring>(L"改名"));
    EXPECT_EQ(PinsStored(m_db), L"2");
}

// Every item of a long list is a working row: the last one, scrolled to, copies its own content by a
// click and by its menu (past entry 65,535, which a 16-bit answer would take for another).
TEST_F(HotCopyTest, TheLastOfSeventyThousandRowsCopiesItsOwnContentByAClickAndByItsMenu)
{
    constexpr int kItems = 70000;
    std::vector<TestItem> items;
    items.reserve(kItems);
    // Fewer clicks for every later item: heat order is id order.
    for (int i = 1; i <= kItems; ++i)
        items.push_back({L"条目" + std::to_wstring(i), L"内容" + std::to_wstring(i), kItems - i + 1});
    CreateItemDatabase(m_db, items);
    std::vector<std::wstring> menu;
    CModalScript script;
    script.Then([&] { return Listed(kItems); }, 20000, "listed")
          .Then([&] { ::SendMessageW(HotList(*m_dlg), WM_VSCROLL, SB_BOTTOM, 0); return true; })
          .Then([&] { return ClickEntry(*m_dlg, kItems - 1); }, 5000, "click the last row")
          .Then([&] { return ClipboardText() == L"内容70000"; }, 3000, "the last item copied")
          .Then([&] { SetClipboardText(L"before"); return RightClickEntry(*m_dlg, kItems - 2); }, 5000,
                "right-click the row above")
          .Then(PickMenuItem(menu, L"复制"), 5000, "its menu")
          .Then([&] { return ClipboardText() == L"内容69999"; }, 3000, "that row's item copied")
          .Then([&] { ::SendMessageW(HotList(*m_dlg), WM_VSCROLL, SB_TOP, 0); return true; })
          .Then([&] { return ClickEntry(*m_dlg, 0); }, 5000, "click the first row")
          .Then([&] { return ClipboardText() == L"内容1"; }, 3000, "the first item copied")
          .Then([&] { End(); return true; });
    RunMainWindow(script);
    auto rows = ReadItems(m_db);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kItems));
    EXPECT_EQ(rows.back().clicktimes, 2);
    EXPECT_EQ(rows[kItems - 2].clicktimes, 3);
    EXPECT_EQ(rows.front().clicktimes, kItems + 1);
}

// A team item's row: its menu cannot pin it, and 编辑 offers it as a copy of the user's own, which
// then shows in its place.
TEST_F(HotCopyTest, TheRowMenuOfATeamItemOffersItAsTheUsersOwnAndCannotPinIt)
{
    const std::wstring teamFile = TestTempPath(L"团队项目.csv");
    WriteFileBytes(teamFile, "\xEF\xBB\xBF标签,内容,点击次数,最后复制时间\r\n问候,您好！,,\r\n");
    {
        CCore core;
        core.autoFileConfig();
        core.saveConfigS(kTeamFileKey, teamFile.c_str());
    }
    std::vector<std::wstring> menu;
    UINT pinState = 0;
    SeenBox offer;
    const auto pickEdit = PickMenuItem(menu, L"编辑...");
    CModalScript script;
    script.Then([&] { return Listed(5); }, 10000, "the team item listed last")
        .Then([&] { return RightClickEntry(*m_dlg, 4); }, 5000, "right-click 问候")
        .Then(
            [&] {
                if (HWND window = FindPopupMenu())
                    pinState = ::GetMenuState(reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0)),
                                              ID_ROW_PIN, MF_BYCOMMAND);
                return pickEdit();
            },
            5000, "its menu")
        .Then(AnswerBox(offer, IDYES), 5000, "offered as one's own")
        .Then([&] { return ReadItems(m_db).size() == 5; }, 5000, "copied")
        .Then([&] { return Listed(5) && m_dlg->ShownId(4) > 0; }, 5000, "shown once, as one's own")
        .Then([&] {
            End();
            return true;
        });
    RunMainWindow(script);
    ::DeleteFileW(teamFile.c_str());
    EXPECT_TRUE(pinState != static_cast<UINT>(-1) && (pinState & MF_GRAYED)) << "置顶 on a team item";
    EXPECT_EQ(offer.text, kTeamItemReadOnly);
    const std::vector<StoredItem> rows = ReadItems(m_db);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[4].title, std::optional<std::wstring>(L"问候"));
    EXPECT_EQ(rows[4].data1, std::optional<std::wstring>(L"您好！"));
}

// The list's order at start: pinned items first, in the order pinned, then the rest by clicks and
// then by the latest copy; past the first screenful as well, each item once. A file without the pin
// table is given it.
TEST_F(HotCopyTest, PinnedItemsHeadTheListInTheOrderPinnedAndTheRestFollowByClicksThenTime)
{
    const std::wstring hottest = kHottestContent;
    std::vector<TestItem> many;
    std::vector<std::wstring> manyOrder;
    for (int i = 1; i <= 60; ++i) {
        many.emplace_back(L"项" + std::to_wstring(i), L"x", 100 - i);
        manyOrder.push_back(L"项" + std::to_wstring(i));
    }
    // 项50 (beyond the first screenful) pinned first, then 项2 (within it).
    manyOrder.erase(manyOrder.begin() + 49);
    manyOrder.erase(manyOrder.begin() + 1);
    manyOrder.insert(manyOrder.begin(), {L"项50", L"项2"});
    struct Case {
        const char* why;
        std::vector<TestItem> items;  // empty: the four of SetUp
        std::vector<int> pins;        // ids, in the order pinned
        std::wstring sqlAfter;        // run on the file after pinning, as another program would
        std::vector<std::wstring> shown;
    } cases[] = {
        {"no pins, no pin table (an older version's file): clicks, then the later copy",
         {},
         {},
         L"",
         {hottest, L"丙", L"甲", L"内容D"}},
        {"a pin lifts a never-copied item above every click",
         {},
         {4},
         L"",
         {L"内容D", hottest, L"丙", L"甲"}},
        {"pins in the order given, not by heat or id", {}, {1, 4, 3}, L"", {L"甲", L"内容D", L"丙", hottest}},
        {"a delete by a program that knows no pins drops the pin",
         {},
         {1, 3},
         L"DELETE FROM T_ITEM WHERE id=1",
         {L"丙", hottest, L"内容D"}},
        {"clearing the history keeps the pins",
         {},
         {4},
         L"UPDATE T_ITEM SET clicktimes=0,lasttime=NULL",
         {L"内容D", L"甲", hottest, L"丙"}},
        {"pins within and beyond the first screenful, each item listed once", many, {50, 2}, L"", manyOrder},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.why);
        if (!test.items.empty())
            CreateItemDatabase(m_db, test.items);
        else
            SetUp();
        // Without pins, the file is as an older version left it: the program adds the table.
        std::wstring pins;
        for (const CString& statement : StmtsCreatePinTable())
            pins += test.pins.empty() ? L"" : statement.str() + L";";
        for (int id : test.pins)
            pins += StmtPinItem(id).str() + L";";
        if (!pins.empty())
            ExecuteSql(m_db, pins + test.sqlAfter);
        std::vector<std::wstring> shown;
        std::vector<bool> marked;
        CModalScript script;
        script.Then([&] { return Listed(static_cast<int>(test.shown.size())); }, 5000, "listed").Then([&] {
            shown = m_dlg->Shown();
            for (size_t i = 0; i < shown.size(); ++i)
                marked.push_back(m_dlg->PinnedAt(static_cast<int>(i)));
            End();
            return true;
        });
        RunMainWindow(script);
        EXPECT_EQ(shown, test.shown);
        const size_t pinned = static_cast<size_t>(std::count(marked.begin(), marked.end(), true));
        EXPECT_EQ(pinned, test.pins.size() - (test.sqlAfter.find(L"DELETE") == 0 ? 1 : 0));
        EXPECT_EQ(std::count(marked.begin(), marked.begin() + static_cast<std::ptrdiff_t>(pinned), true),
                  static_cast<std::ptrdiff_t>(pinned))
            << "the marked rows are the top ones";
        EXPECT_EQ(QueryText(m_db, L"SELECT count(*) FROM sqlite_master WHERE name LIKE 'T_PIN%'"), L"2");
    }
}
