// CItemsDlg over a real item database: listing, checking all or none, deleting, editing a row.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "items/itemeditdlg.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "store/dbsession.h"
#include "store/pins.h"
#include "store/teamstore.h"
#include "tests/corelib/clipboard_holder_process.h"
#include "tests/items/items_fixture.h"
#include "tests/store/lock_holder_process.h"
#include "tests/support/immutable_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

using namespace items_testing;

namespace {

class ItemsDlgTest : public ItemsTest {
protected:
    // Rows with the ids 3, 7 and 12 (and nothing in between).
    void UseIds3And7And12()
    {
        UseItems({});
        testing_support::ExecuteSql(m_dbPath,
                                    L"INSERT INTO T_ITEM(id,title,data1) VALUES(3,'三','three');"
                                    L"INSERT INTO T_ITEM(id,title,data1) VALUES(7,NULL,'seven');"
                                    L"INSERT INTO T_ITEM(id,title,data1) VALUES(12,'十二','it''s twelve');");
    }
    // Every update of a row adds 100 to its click count, so that an update that changes no text
    // still shows in the table.
    void CountUpdates()
    {
        testing_support::ExecuteSql(m_dbPath,
                                    L"CREATE TRIGGER counted AFTER UPDATE OF title,data1 ON T_ITEM BEGIN "
                                    L"UPDATE T_ITEM SET clicktimes=clicktimes+100 WHERE id=NEW.id; END;");
    }

    std::vector<int> StoredIds()
    {
        std::vector<int> ids;
        for (const StoredItem& item : Stored())
            ids.push_back(item.id);
        return ids;
    }

    void ClickButton(const CDialog& dlg, int id)
    {
        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, id), BM_CLICK, 0, 0);
    }

    // Steps: click 新建, or double-click a row; wait for the edit dialog, let act work on it.
    std::function<bool()> ClickNew(CItemsDlg& dlg)
    {
        return [this, &dlg] {
            ClickButton(dlg, IDC_NEWITEM);
            return true;
        };
    }
    std::function<bool()> DoubleClickRow(CItemsDlg& dlg, int row)
    {
        return [&dlg, row] {
            PostDoubleClick(dlg.m_list, RowPoint(dlg.m_list, row));
            return true;
        };
    }
    std::function<bool()> OnEditDialog(std::function<void(HWND)> act)
    {
        return [act] {
            HWND edit = FindThreadWindow(L"数据项编辑");
            if (!edit)
                return false;
            act(edit);
            return true;
        };
    }
};

// "smile 😀 中文 é ß Ω end" in UTF-8: an emoji (a surrogate pair in UTF-16), Chinese and Latin.
constexpr wchar_t kSmileHex[] = L"736D696C6520F09F988020E4B8ADE6968720C3A920C39F20CEA920656E64";

std::wstring DlgText(HWND dlg, int id)
{
    wchar_t text[512] = {};
    ::GetDlgItemTextW(dlg, id, text, ARRAYSIZE(text));
    return text;
}

bool Shows(const CDialog& dlg, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, id)) != FALSE;
}

// Ctrl held down (or let go) as the keyboard would, for the keys that come meanwhile.
void HoldCtrl(bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

bool AnyChecked(const CListCtrl& list)
{
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetCheck(row))
            return true;
    }
    return false;
}

bool AllChecked(const CListCtrl& list)
{
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (!list.GetCheck(row))
            return false;
    }
    return list.GetItemCount() > 0;
}

}  // namespace

TEST_F(ItemsDlgTest, ListsEveryItemNewestFirstWithLabelContentAndId)
{
    UseIds3And7And12();
    CItemsDlg dlg;
    dlg.m_isDataChanged = TRUE;  // cleared when the dialog initialises
    std::wstring caption;
    std::vector<std::wstring> headers;
    std::vector<int> widths;
    DWORD exStyle = 0;
    std::vector<std::vector<std::wstring>> rows;
    std::vector<int> ids;
    bool anyChecked = true;
    int focusId = 0;
    RunDialog(dlg, {[&] {
                  if (!::GetFocus())
                      return false;
                  CString text;
                  dlg.GetWindowText(text);
                  caption = text.str();
                  for (int column = 0; column < 2; ++column) {
                      wchar_t heading[64] = {};
                      LVCOLUMNW col = {};
                      col.mask = LVCF_TEXT | LVCF_WIDTH;
                      col.pszText = heading;
                      col.cchTextMax = ARRAYSIZE(heading);
                      dlg.m_list.SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                                             reinterpret_cast<LPARAM>(&col));
                      headers.push_back(heading);
                      widths.push_back(col.cx);
                  }
                  exStyle = dlg.m_list.GetExtendedStyle();
                  for (int row = 0; row < dlg.m_list.GetItemCount(); ++row)
                      rows.push_back({RowText(dlg.m_list, row, 0), RowText(dlg.m_list, row, 1)});
                  ids = ListedIds(dlg);
                  anyChecked = AnyChecked(dlg.m_list);
                  focusId = ::GetDlgCtrlID(::GetFocus());
                  return true;
              }});
    EXPECT_EQ(caption, L"数据项");
    EXPECT_EQ(headers, (std::vector<std::wstring>{L"标签", L"内容"}));
    EXPECT_EQ(widths, (std::vector<int>{300, 400}));
    EXPECT_TRUE(exStyle & LVS_EX_CHECKBOXES);
    EXPECT_EQ(ids, (std::vector<int>{12, 7, 3}));
    EXPECT_EQ(rows, (std::vector<std::vector<std::wstring>>{
                        {L"十二", L"it's twelve"}, {L"", L"seven"}, {L"三", L"three"}}));
    EXPECT_FALSE(anyChecked);
    EXPECT_EQ(focusId, IDC_ITEMLIST) << "the first control has the focus";
    EXPECT_FALSE(dlg.m_isDataChanged);
}

TEST_F(ItemsDlgTest, ADatabaseGoneOrBrokenSinceStartUpIsReportedNotShownAsEmpty)
{
    for (bool gone : {true, false}) {
        UseItems({{L"a", L"1"}});
        if (gone)
            ASSERT_TRUE(::DeleteFileW(m_dbPath.c_str()));
        else
            WriteFile(L"sys.mdb", std::string(4096, 'Z'));
        CItemsDlg dlg;
        SeenBox box;
        RunDialog(dlg, {AnswerBox(box), [&] { return dlg.m_list.GetItemCount() == 0; }});
        EXPECT_EQ(box.text, L"无法读取数据项！数据库文件可能已被删除、移走或已损坏，列表不完整。") << gone;
    }
}

TEST_F(ItemsDlgTest, EditDeleteAndNewItemThatCannotBeWrittenSaySoOverTheEditWhichKeepsWhatWasTyped)
{
    for (bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only file" : "write lock of another program");
        UseItems({{L"first", L"one"}, {L"second", L"two"}});
        std::vector<StoredItem> expected = Stored();
        std::unique_ptr<testing_support::CImmutableFile> immutable;
        std::unique_ptr<CLockHolderProcess> holder;
        if (readOnly)
            ASSERT_TRUE((immutable = std::make_unique<testing_support::CImmutableFile>(m_dbPath))->IsImmutable());
        else
            ASSERT_TRUE((holder = std::make_unique<CLockHolderProcess>(m_dbPath, CLockHolderProcess::Lock::Write, 0))
                            ->HoldsLock());
        g_connStr = BuildConnectionString(m_dbPath.c_str(), 200);
        g_db->SetConnectionString(g_connStr);
        CItemsDlg dlg;
        SeenBox editBox, deleteBox, newBox;
        // The edit dialog each box stood over, and what its content box held after the box.
        HWND editWnd[2] = {}, boxOwner[2] = {};
        std::wstring keptText[2];
        BOOL changedBeforeRetry = TRUE;
        std::vector<std::wstring> rowsAfter;
        auto typeAndConfirm = [&](int at, const wchar_t* text) {
            return OnEditDialog([&, at, text](HWND edit) {
                editWnd[at] = edit;
                ::SetDlgItemTextW(edit, IDC_EDIT_DATA1, text);
                ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
            });
        };
        auto stillUp = [&](int at, SeenBox& box) {
            return OnEditDialog([&, at](HWND edit) {
                boxOwner[at] = box.owner;
                keptText[at] = edit == editWnd[at] ? DlgText(edit, IDC_EDIT_DATA1) : L"<another dialog>";
            });
        };
        auto editClosed = [] { return !FindThreadWindow(L"数据项编辑") && !FindSystemDialog(); };
        RunDialog(dlg,
                  {DoubleClickRow(dlg, 0), typeAndConfirm(0, L"changed"), AnswerBox(editBox),
                   stillUp(0, editBox),
                   OnEditDialog([](HWND edit) { ::PostMessageW(edit, WM_COMMAND, IDCANCEL, 0); }), editClosed,
                   [&] {
                       dlg.listCheckAll(dlg.m_list, 1);
                       ClickButton(dlg, IDC_DELETECHECKED);
                       return true;
                   },
                   AnswerBox(deleteBox), ClickNew(dlg), typeAndConfirm(1, L"new"), AnswerBox(newBox),
                   stillUp(1, newBox),
                   // Once the file can be written again, the same OK saves what was kept.
                   OnEditDialog([&](HWND edit) {
                       changedBeforeRetry = dlg.m_isDataChanged;
                       holder.reset();
                       immutable.reset();
                       ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                   }),
                   editClosed,
                   [&] {
                       for (int row = 0; row < dlg.m_list.GetItemCount(); ++row)
                           rowsAfter.push_back(RowText(dlg.m_list, row, 1));
                       return true;
                   }});
        EXPECT_EQ(editBox.text, L"无法写入数据库，修改未保存！数据库文件可能是只读的，或正被其他程序使用。");
        EXPECT_EQ(deleteBox.text, L"无法写入数据库，未删除任何项目！数据库文件可能是只读的，或正被其他程序使用。");
        EXPECT_EQ(newBox.text, L"无法写入数据库，新项目未保存！数据库文件可能是只读的，或正被其他程序使用。");
        for (int at : {0, 1}) {
            EXPECT_EQ(boxOwner[at], editWnd[at]) << "the box stands over the edit dialog " << at;
            EXPECT_EQ(keptText[at], at == 0 ? L"changed" : L"new") << "which stays open with what was typed";
        }
        EXPECT_FALSE(changedBeforeRetry) << "nothing changed before the retry";
        EXPECT_TRUE(dlg.m_isDataChanged);
        EXPECT_EQ(rowsAfter, (std::vector<std::wstring>{L"new", L"two", L"one"}));
        expected.push_back({3, L"", L"new", 0, std::nullopt});
        EXPECT_EQ(Stored(), expected) << "only the new item, saved by the retry";
    }
}

TEST_F(ItemsDlgTest, RowsWhoseIdsDoNotFitIn32BitsAreLeftAlone)
{
    testing_support::ExecuteSql(m_dbPath, L"INSERT INTO T_ITEM(id,title,data1) VALUES(2147483647,'keep-me','k');"
                                          L"INSERT INTO T_ITEM(id,title,data1) VALUES(3000000000,'big','b');");
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"line.txt", "after big")};  // its new id follows 'big': stored, not listed
    std::vector<int> listed;
    SeenBox importedBox;
    RunDialog(dlg, {[&] {
                        listed = ListedIds(dlg);
                        dlg.listCheckAll(dlg.m_list, 1);
                        ClickButton(dlg, IDC_DELETECHECKED);
                        ClickButton(dlg, IDC_IMPORT);
                        return true;
                    },
                    [&] { return dlg.chooserCalls == 1 && dlg.m_list.GetItemCount() == 0; },
                    AnswerBox(importedBox)});
    EXPECT_EQ(listed, (std::vector<int>{2147483647})) << "'big' is not listed";
    EXPECT_EQ(dlg.LastImport().importedLines, 1);
    std::vector<StoredItem> stored = Stored();
    ASSERT_EQ(stored.size(), 2u) << "only the checked 'keep-me' was deleted";
    EXPECT_EQ(stored[0].title, L"big");
    EXPECT_EQ(stored[1].data1, L"after big");
}

TEST_F(ItemsDlgTest, RightClickMenuChecksEveryRowOrNoneAndPinsTheCheckedRowsInPlace)
{
    UseItems({{L"a", L"1"}, {L"b", L"2"}, {L"c", L"3"}});
    CItemsDlg dlg;
    SeenMenu onRow, pinning, belowRows;
    bool allAfterSelectAll = false, anyAfterSelectNone = true;
    BOOL changedByChecking = TRUE;
    std::vector<std::wstring> marks;
    RunDialog(dlg, {[&] {
                        PostRightClick(dlg.m_list, RowPoint(dlg.m_list, 1));
                        return true;
                    },
                    ChooseMenuItem(0, onRow), [] { return !FindPopupMenu(); },
                    [&] {
                        allAfterSelectAll = AllChecked(dlg.m_list);
                        changedByChecking = dlg.m_isDataChanged;
                        PostRightClick(dlg.m_list, RowPoint(dlg.m_list, 1));
                        return true;
                    },
                    ChooseMenuItem(2, pinning), [] { return !FindPopupMenu(); },
                    [&] {
                        for (int row = 0; row < 3; ++row)
                            marks.push_back(RowText(dlg.m_list, row, 0) + RowText(dlg.m_list, row, 2));
                        RECT client;
                        dlg.m_list.GetClientRect(&client);
                        PostRightClick(dlg.m_list, POINT{client.right / 2, client.bottom - 5});
                        return true;
                    },
                    ChooseMenuItem(1, belowRows), [] { return !FindPopupMenu(); },
                    [&] {
                        anyAfterSelectNone = AnyChecked(dlg.m_list);
                        return true;
                    }});
    EXPECT_EQ(onRow.texts, (std::vector<std::wstring>{L"全选", L"全不选", L"", L"置顶", L"取消置顶"}));
    EXPECT_EQ(onRow.commands,
              (std::vector<UINT>{ID_LIST_SELECTALL, ID_LIST_SELECTNONE, 0, ID_LIST_PIN, ID_LIST_UNPIN}));
    EXPECT_EQ(belowRows.texts, onRow.texts) << "the menu comes up below the rows as well";
    EXPECT_TRUE(allAfterSelectAll);
    EXPECT_FALSE(anyAfterSelectNone);
    EXPECT_FALSE(changedByChecking) << "checking is no change";
    EXPECT_EQ(marks, (std::vector<std::wstring>{L"c●", L"b●", L"a●"})) << "marked, newest first as before";
    EXPECT_TRUE(dlg.m_isDataChanged) << "pins change the main list";
    EXPECT_EQ(testing_support::QueryText(
                  m_dbPath, L"SELECT group_concat(id) FROM (SELECT id FROM T_PIN ORDER BY pinned_at)"),
              L"1,2,3")
        << "the oldest checked pinned first";
    EXPECT_EQ(Stored().size(), 3u);
}

TEST_F(ItemsDlgTest, DeleteWithNothingCheckedWarnsAndChangesNothing)
{
    for (bool empty : {true, false}) {
        UseItems(empty ? std::vector<TestItem>{} : std::vector<TestItem>{{L"a", L"1"}, {L"b", L"2"}});
        CItemsDlg dlg;
        SeenBox box;
        HWND dlgWnd = nullptr;
        SeenMenu menu;
        int rowsAfter = -1;
        RunDialog(dlg, {[&] {
                            dlgWnd = dlg.m_hWnd;
                            PostRightClick(dlg.m_list, POINT{20, 100});
                            return true;
                        },
                        ChooseMenuItem(0, menu),  // select all does nothing on an empty list
                        [&] { return !FindPopupMenu(); },
                        [&] {
                            if (!empty)
                                dlg.listCheckAll(dlg.m_list, 0);
                            ClickButton(dlg, IDC_DELETECHECKED);
                            return true;
                        },
                        AnswerBox(box),
                        [&] {
                            rowsAfter = dlg.m_list.GetItemCount();
                            return true;
                        }});
        EXPECT_TRUE(box.seen);
        EXPECT_EQ(box.text, L"未选中任何项目。");
        EXPECT_EQ(box.owner, dlgWnd);
        EXPECT_EQ(rowsAfter, empty ? 0 : 2);
        EXPECT_EQ(Stored().size(), empty ? 0u : 2u);
        EXPECT_FALSE(dlg.m_isDataChanged);
    }
}

TEST_F(ItemsDlgTest, EditOfAnItemAnotherProgramDeletedMeanwhileSaysSoAndDropsItsRow)
{
    for (bool rename : {false, true}) {
        SCOPED_TRACE(rename ? "label changed" : "content changed");
        UseItems({{L"first", L"one"}, {L"second", L"two"}});
        CItemsDlg dlg;
        HWND dlgWnd = nullptr;
        SeenBox box;
        std::vector<int> listedAfter;
        RunDialog(dlg, {DoubleClickRow(dlg, 0), OnEditDialog([&](HWND edit) {
                            dlgWnd = dlg.m_hWnd;
                            // Another connection deletes the item while its edit is open.
                            testing_support::ExecuteSql(m_dbPath, L"DELETE FROM T_ITEM WHERE id=2;");
                            ::SetDlgItemTextW(edit, rename ? IDC_EDIT_TITLE : IDC_EDIT_DATA1, L"changed");
                            ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                        }),
                        AnswerBox(box), [&] {
                            listedAfter = ListedIds(dlg);
                            return true;
                        }});
        EXPECT_EQ(box.text, L"该项目已被删除，修改未保存！");
        EXPECT_EQ(box.owner, dlgWnd);
        EXPECT_EQ(listedAfter, (std::vector<int>{1}));
        EXPECT_EQ(StoredIds(), (std::vector<int>{1}));
        EXPECT_EQ(Stored()[0].title, L"first");
        EXPECT_EQ(Stored()[0].data1, L"one");
    }
}

TEST_F(ItemsDlgTest, DeleteOfCheckedRowsAnotherProgramDeletedMeanwhileIsDoneForTheRestUnasked)
{
    for (bool allGone : {false, true}) {
        SCOPED_TRACE(allGone ? "every checked row gone" : "one checked row gone");
        UseItems({{L"1", L"1"}, {L"2", L"2"}, {L"3", L"3"}});
        CItemsDlg dlg;
        bool boxShown = true;
        std::vector<int> listedAfter;
        RunDialog(dlg, {[&] {
                            PostCheckBoxClick(dlg.m_list, 1);  // id 2
                            PostCheckBoxClick(dlg.m_list, 2);  // id 1
                            testing_support::ExecuteSql(m_dbPath, allGone ? L"DELETE FROM T_ITEM WHERE id IN (1,2);"
                                                                          : L"DELETE FROM T_ITEM WHERE id=2;");
                            ClickButton(dlg, IDC_DELETECHECKED);
                            return true;
                        },
                        [&] {
                            boxShown = testing_support::FindSystemDialog() != nullptr;
                            listedAfter = ListedIds(dlg);
                            return true;
                        }});
        EXPECT_FALSE(boxShown);
        EXPECT_EQ(listedAfter, (std::vector<int>{3}));
        EXPECT_EQ(StoredIds(), (std::vector<int>{3}));
        EXPECT_TRUE(dlg.m_isDataChanged);
    }
}

TEST_F(ItemsDlgTest, DeletesTheCheckedRowsByTheirIds)
{
    UseIds3And7And12();
    CItemsDlg dlg;
    std::vector<int> listedAfter;
    RunDialog(dlg, {[&] {
                        PostCheckBoxClick(dlg.m_list, 0);  // id 12
                        PostCheckBoxClick(dlg.m_list, 2);  // id 3
                        ClickButton(dlg, IDC_DELETECHECKED);
                        return true;
                    },
                    [&] {
                        listedAfter = ListedIds(dlg);
                        return true;
                    }});
    EXPECT_EQ(listedAfter, (std::vector<int>{7}));
    EXPECT_EQ(StoredIds(), (std::vector<int>{7})) << "ids, not row positions, name the items deleted";
    EXPECT_TRUE(dlg.m_isDataChanged);
}

TEST_F(ItemsDlgTest, TwoCheckedRowsSideBySideAreBothRemoved)
{
    UseItems({{L"1", L"1"}, {L"2", L"2"}, {L"3", L"3"}, {L"4", L"4"}, {L"5", L"5"}});
    CItemsDlg dlg;
    std::vector<int> listedAfter;
    RunDialog(dlg, {[&] {
                        PostCheckBoxClick(dlg.m_list, 1);  // id 4
                        PostCheckBoxClick(dlg.m_list, 2);  // id 3
                        ClickButton(dlg, IDC_DELETECHECKED);
                        return true;
                    },
                    [&] {
                        listedAfter = ListedIds(dlg);
                        return true;
                    }});
    EXPECT_EQ(listedAfter, (std::vector<int>{5, 2, 1}));
    EXPECT_EQ(StoredIds(), (std::vector<int>{1, 2, 5}));
    EXPECT_TRUE(dlg.m_isDataChanged);
}

TEST_F(ItemsDlgTest, DeletesAreUndoneWholeInTheirPlacesByTheButtonOrCtrlZAfterAFailedTry)
{
    const std::vector<std::pair<const char*, std::function<void(CItemsDlg&)>>> ways = {
        {"the undo button", [this](CItemsDlg& dlg) { ClickButton(dlg, IDC_UNDO); }},
        {"Ctrl+Z in the list",
         [](CItemsDlg& dlg) {
             HoldCtrl(true);
             ::PostMessageW(dlg.m_list.m_hWnd, WM_KEYDOWN, 'Z', 1);
         }},
    };
    for (const auto& [why, undo] : ways) {
        SCOPED_TRACE(why);
        UseItems(
            {{L"a", L"1", 3, L"2026-02-09 09:00:00"}, {std::nullopt, L"2"}, {L"c", L"3", 7}, {L"d", L"4"}});
        g_connStr = BuildConnectionString(m_dbPath.c_str(), 200);
        g_db->SetConnectionString(g_connStr);
        SetItemsPinned(g_connStr, {2, 4}, true);  // 2 before 4: the undo keeps their order
        CTestItemsDlg dlg;
        dlg.paths = {WriteFile(L"line.txt", "imported")};  // listed below the rest, as id 5
        std::vector<StoredItem> before;
        std::vector<int> listedAfterFirst, listedAfterSecond, listedAfterUndo;
        std::wstring offeredFirst, offeredSecond, offeredAfterFailure;
        bool offeredAfterUndo = true;
        SeenBox failure;
        std::unique_ptr<CLockHolderProcess> holder;
        auto offer = [&] { return Shows(dlg, IDC_UNDO) ? DlgText(dlg.m_hWnd, IDC_UNDO_TEXT) : L"<hidden>"; };
        SeenBox imported;
        RunDialog(dlg, {[&] {
                            ClickButton(dlg, IDC_IMPORT);
                            return true;
                        },
                        AnswerBox(imported),
                        [&] {
                            if (dlg.m_list.GetItemCount() != 5)
                                return false;
                            before = Stored();
                            for (int row : {0, 2, 4})  // ids 4, 2 and 5
                                PostCheckBoxClick(dlg.m_list, row);
                            ClickButton(dlg, IDC_DELETECHECKED);
                            return true;
                        },
                        [&] {
                            listedAfterFirst = ListedIds(dlg);
                            offeredFirst = offer();
                            PostCheckBoxClick(dlg.m_list, 0);  // id 3
                            ClickButton(dlg, IDC_DELETECHECKED);
                            return true;
                        },
                        [&] {
                            listedAfterSecond = ListedIds(dlg);
                            offeredSecond = offer();
                            holder = std::make_unique<CLockHolderProcess>(m_dbPath,
                                                                          CLockHolderProcess::Lock::Write, 0);
                            undo(dlg);
                            return true;
                        },
                        AnswerBox(failure),
                        [&] {
                            HoldCtrl(false);
                            offeredAfterFailure = offer();
                            holder.reset();
                            undo(dlg);
                            return true;
                        },
                        [&] {
                            HoldCtrl(false);
                            if (dlg.m_list.GetItemCount() != 5)
                                return false;
                            listedAfterUndo = ListedIds(dlg);
                            offeredAfterUndo = Shows(dlg, IDC_UNDO) || Shows(dlg, IDC_UNDO_TEXT);
                            return true;
                        }});
        EXPECT_EQ(listedAfterFirst, (std::vector<int>{3, 1}));
        EXPECT_EQ(offeredFirst, L"已删除 3 项。");
        EXPECT_EQ(listedAfterSecond, (std::vector<int>{1}));
        EXPECT_EQ(offeredSecond, L"已删除 4 项。") << "a second delete adds to what the undo puts back";
        EXPECT_EQ(failure.text,
                  L"无法写入数据库，未恢复任何项目！数据库文件可能是只读的，或正被其他程序使用。");
        EXPECT_EQ(offeredAfterFailure, L"已删除 4 项。") << "a failed undo stays offered";
        EXPECT_EQ(listedAfterUndo, (std::vector<int>{4, 3, 2, 1, 5})) << "each row back in its place";
        EXPECT_FALSE(offeredAfterUndo);
        EXPECT_EQ(Stored(), before) << "ids, null label, counts and times as they were";
        EXPECT_EQ(testing_support::QueryText(m_dbPath, L"SELECT group_concat(id) FROM (SELECT id FROM T_PIN ORDER BY pinned_at)"),
                  L"2,4")
            << "the pins come back with their items";
    }
}

TEST_F(ItemsDlgTest, ListUnderAnotherProgramsLockSaysBusyKeepsAnsweringAndFillsOnceTheLockGoes)
{
    testing_support::ExecuteSql(m_dbPath,
                                L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<300) "
                                L"INSERT INTO T_ITEM(id,title,data1) SELECT i,'t'||i,'c'||i FROM n;");
    // The lock of a commit under way, which keeps readers out.
    auto holder = std::make_unique<CLockHolderProcess>(m_dbPath, CLockHolderProcess::Lock::Exclusive, 0);
    ASSERT_TRUE(holder->HoldsLock());
    CItemsDlg dlg;
    std::wstring busyText, farRowWhileBusy = L"<not read>", farRowAfter;
    int rowsWhileBusy = -1;
    bool boxWhileBusy = true, busyAgain = false;
    DWORD scrollingMs = 0;
    RunDialog(dlg, {[&] {
                        if (!Shows(dlg, IDC_ITEMS_BUSY))
                            return false;
                        busyText = DlgText(dlg.m_hWnd, IDC_ITEMS_BUSY);
                        rowsWhileBusy = dlg.m_list.GetItemCount();
                        boxWhileBusy = FindSystemDialog() != nullptr;
                        holder.reset();
                        return true;
                    },
                    [&] { return dlg.m_list.GetItemCount() == 300 && !Shows(dlg, IDC_ITEMS_BUSY); },
                    [&] {
                        holder = std::make_unique<CLockHolderProcess>(m_dbPath,
                                                                      CLockHolderProcess::Lock::Exclusive, 0);
                        // Three screenfuls of rows not read yet.
                        const DWORD start = ::GetTickCount();
                        for (int row : {120, 250, 299}) {
                            dlg.m_list.SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
                            dlg.m_list.UpdateWindow();
                        }
                        farRowWhileBusy = RowText(dlg.m_list, 250, 0);
                        scrollingMs = ::GetTickCount() - start;
                        busyAgain = Shows(dlg, IDC_ITEMS_BUSY);
                        holder.reset();
                        return true;
                    },
                    [&] {
                        if (Shows(dlg, IDC_ITEMS_BUSY))
                            return false;
                        farRowAfter = RowText(dlg.m_list, 250, 0);
                        return true;
                    }});
    EXPECT_EQ(busyText, L"数据库正被其他程序占用，列表稍后载入…");
    EXPECT_EQ(rowsWhileBusy, 0);
    EXPECT_FALSE(boxWhileBusy) << "no box says the items are unreadable";
    EXPECT_TRUE(busyAgain);
    EXPECT_EQ(farRowWhileBusy, L"");
    EXPECT_LT(scrollingMs, 2000u) << "one short wait, not one per screenful";
    EXPECT_EQ(farRowAfter, L"t50");
}

TEST_F(ItemsDlgTest, AHundredThousandItemsAreCheckedDeletedAndEditedFarDownAgainstTheTable)
{
    UseItems({});
    testing_support::ExecuteSql(m_dbPath, L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<100000) "
                                          L"INSERT INTO T_ITEM(id,title,data1) SELECT i,'t'||i,'c'||i FROM n;");
    constexpr int kFarRow = 99990;  // newest first: the item with id 10
    CItemsDlg dlg;
    std::wstring editedTitle, editedContent;
    SeenMenu menu;
    std::vector<std::vector<std::wstring>> shownAfter;
    std::vector<int> listedAfter;
    RunDialog(dlg, {[&] {
                        dlg.m_list.SendMessage(LVM_ENSUREVISIBLE, kFarRow, FALSE);
                        return true;
                    },
                    DoubleClickRow(dlg, kFarRow), OnEditDialog([&](HWND edit) {
                        editedTitle = DlgText(edit, IDC_EDIT_TITLE);
                        editedContent = DlgText(edit, IDC_EDIT_DATA1);
                        ::SetDlgItemTextW(edit, IDC_EDIT_DATA1, L"edited far down");
                        ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                    }),
                    [] { return !FindThreadWindow(L"数据项编辑"); },
                    [&] {
                        PostRightClick(dlg.m_list, RowPoint(dlg.m_list, kFarRow));
                        return true;
                    },
                    ChooseMenuItem(0, menu), [] { return !FindPopupMenu(); },
                    [&] {
                        // Every row but the edited one is deleted, in one press.
                        PostCheckBoxClick(dlg.m_list, kFarRow);
                        ClickButton(dlg, IDC_DELETECHECKED);
                        return true;
                    },
                    [&] {
                        if (dlg.m_list.GetItemCount() != 1)
                            return false;
                        shownAfter = {{RowText(dlg.m_list, 0, 0), RowText(dlg.m_list, 0, 1)}};
                        listedAfter = ListedIds(dlg);
                        return true;
                    }});
    EXPECT_EQ(editedTitle, L"t10");
    EXPECT_EQ(editedContent, L"c10");
    EXPECT_EQ(listedAfter, (std::vector<int>{10}));
    EXPECT_EQ(shownAfter, (std::vector<std::vector<std::wstring>>{{L"t10", L"edited far down"}}));
    std::vector<StoredItem> stored = Stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].id, 10);
    EXPECT_EQ(stored[0].data1, L"edited far down");
}

TEST_F(ItemsDlgTest, DoubleClickBelowTheLastRowOpensNothing)
{
    UseItems({{L"a", L"1"}, {L"b", L"2"}});
    CountUpdates();
    CItemsDlg dlg;
    bool editOpened = false;
    RunDialog(dlg, {[&] {
                        RECT client;
                        dlg.m_list.GetClientRect(&client);
                        PostDoubleClick(dlg.m_list, POINT{40, client.bottom - 10});
                        return true;
                    },
                    [&] {
                        // The posted clicks come before this timer step: an edit dialog would be up.
                        HWND edit = FindThreadWindow(L"数据项编辑");
                        editOpened = edit != nullptr;
                        if (edit)
                            ::PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    }});
    EXPECT_FALSE(editOpened);
    EXPECT_FALSE(dlg.m_isDataChanged);
    EXPECT_EQ(Stored()[0].clicktimes + Stored()[1].clicktimes, 0);
}

TEST_F(ItemsDlgTest, EditWritesOnlyTheFieldsTheUserChanged)
{
    // Item 1 holds "smile 😀 中文 é ß Ω end" in UTF-8, as another tool stores it.
    UseItems({{L"first", L"one"}, {L"second", L"two"}});
    testing_support::ExecuteSql(m_dbPath, L"UPDATE T_ITEM SET data1=CAST(X'" + std::wstring(kSmileHex) +
                                              L"' AS TEXT) WHERE id=1;");
    CountUpdates();
    auto storedContentHex = [&] {
        return testing_support::QueryText(m_dbPath, L"SELECT hex(data1) FROM T_ITEM WHERE id=1");
    };
    CItemsDlg dlg;
    std::wstring shownTitle, shownContent, renamedRow;
    BOOL changedAfterPlainOk = TRUE;
    int countAfterPlainOk = -1;
    auto editClosed = [] { return !FindThreadWindow(L"数据项编辑"); };
    RunDialog(dlg, {DoubleClickRow(dlg, 1), OnEditDialog([&](HWND edit) {
                        shownTitle = DlgText(edit, IDC_EDIT_TITLE);
                        shownContent = DlgText(edit, IDC_EDIT_DATA1);
                        ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                    }),
                    editClosed,
                    [&] {
                        changedAfterPlainOk = dlg.m_isDataChanged;
                        countAfterPlainOk = Stored()[0].clicktimes;
                        return true;
                    },
                    DoubleClickRow(dlg, 1), OnEditDialog([&](HWND edit) {
                        ::SetDlgItemTextW(edit, IDC_EDIT_TITLE, L"renamed");
                        ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                    }),
                    editClosed, [&] {
                        renamedRow = RowText(dlg.m_list, 1, 0);
                        return true;
                    }});
    EXPECT_EQ(shownTitle, L"first");
    EXPECT_EQ(shownContent, L"smile 😀 中文 é ß Ω end") << "the stored content is shown exactly";
    EXPECT_EQ(dlg.m_editId, 1);
    EXPECT_FALSE(changedAfterPlainOk) << "OK without a change is no change";
    EXPECT_EQ(countAfterPlainOk, 0) << "no statement for an unchanged edit";
    EXPECT_TRUE(dlg.m_isDataChanged) << "after the rename";
    EXPECT_EQ(renamedRow, L"renamed");
    EXPECT_EQ(storedContentHex(), kSmileHex) << "the content was never rewritten";
    std::vector<StoredItem> stored = Stored();
    EXPECT_EQ(stored[0].title, L"renamed");
    EXPECT_EQ(stored[0].clicktimes, 100) << "one update, of the label";
    EXPECT_EQ(stored[1].clicktimes, 0);
}

TEST_F(ItemsDlgTest, CharactersBeyondTheBasicPlaneTypedIntoAnEditAreListedAndStoredExactlyUnasked)
{
    UseItems({{L"first", L"one"}});
    CountUpdates();
    CItemsDlg dlg;
    // Typed as the keyboard sends it: one WM_CHAR a UTF-16 unit, so 😀 and 𠮷 come as two halves.
    const std::wstring typed = L"a😀𠮷ß";
    const std::wstring label = L"𠮷 😀 ß";
    std::wstring inBox;
    std::vector<std::wstring> row0;
    RunDialog(dlg, {DoubleClickRow(dlg, 0), OnEditDialog([&](HWND edit) {
                        ::SendDlgItemMessageW(edit, IDC_EDIT_TITLE, WM_SETTEXT, 0,
                                              reinterpret_cast<LPARAM>(label.c_str()));
                        HWND content = ::GetDlgItem(edit, IDC_EDIT_DATA1);
                        ::SendMessageW(content, EM_SETSEL, 0, -1);
                        for (wchar_t unit : typed)
                            ::SendMessageW(content, WM_CHAR, unit, 1);
                        inBox = DlgText(edit, IDC_EDIT_DATA1);
                        ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                    }),
                    // A question would stand over the list here, and this step would time out.
                    [] { return !FindThreadWindow(L"数据项编辑") && !FindSystemDialog(); },
                    [&] {
                        row0 = {RowText(dlg.m_list, 0, 0), RowText(dlg.m_list, 0, 1)};
                        return true;
                    }});
    ASSERT_EQ(inBox, typed) << "the edit box put each pair together";
    EXPECT_EQ(row0, (std::vector<std::wstring>{label, typed}));
    EXPECT_TRUE(dlg.m_isDataChanged);
    std::vector<StoredItem> stored = Stored();
    EXPECT_EQ(stored[0].title, label);
    EXPECT_EQ(stored[0].data1, typed);
    EXPECT_EQ(stored[0].clicktimes, 100) << "one update, of both fields";
}

TEST_F(ItemsDlgTest, CancelledEditChangesNothingAndApostrophesReachListAndTableAsTyped)
{
    UseItems({{L"old", L"old"}, {L"newest", L"newest"}});
    CountUpdates();
    CItemsDlg dlg;
    std::vector<std::wstring> afterCancel, afterOk;
    BOOL changedAfterCancel = TRUE;
    auto row0 = [&] {
        return std::vector<std::wstring>{RowText(dlg.m_list, 0, 0), RowText(dlg.m_list, 0, 1)};
    };
    auto editClosed = [] { return !FindThreadWindow(L"数据项编辑"); };
    RunDialog(dlg, {DoubleClickRow(dlg, 0), OnEditDialog([&](HWND edit) {
                        ::SetDlgItemTextW(edit, IDC_EDIT_DATA1, L"typed");
                        ::PostMessageW(::GetDlgItem(edit, IDCANCEL), BM_CLICK, 0, 0);
                    }),
                    editClosed,
                    [&] {
                        afterCancel = row0();
                        changedAfterCancel = dlg.m_isDataChanged;
                        return true;
                    },
                    DoubleClickRow(dlg, 0), OnEditDialog([&](HWND edit) {
                        ::SetDlgItemTextW(edit, IDC_EDIT_TITLE, L"it's");
                        ::SetDlgItemTextW(edit, IDC_EDIT_DATA1, L"say 'hi' 100% \\n \"ok\" 中文");
                        ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                    }),
                    editClosed,
                    [&] {
                        afterOk = row0();
                        return true;
                    }});
    EXPECT_EQ(afterCancel, (std::vector<std::wstring>{L"newest", L"newest"}));
    EXPECT_FALSE(changedAfterCancel);
    EXPECT_EQ(afterOk, (std::vector<std::wstring>{L"it's", L"say 'hi' 100% \\n \"ok\" 中文"}));
    std::vector<StoredItem> stored = Stored();
    EXPECT_EQ(stored[1].title, L"it's");
    EXPECT_EQ(stored[1].data1, L"say 'hi' 100% \\n \"ok\" 中文");
    EXPECT_EQ(stored[1].clicktimes, 100) << "one update: the cancelled edit ran none";
    EXPECT_EQ(stored[0].data1, L"old") << "only the edited row changes";
    EXPECT_EQ(stored[0].clicktimes, 0);
}

TEST_F(ItemsDlgTest, NewItemOfTwoLinesIsStoredWithCrLfListedByItsFirstLineAndEditedWhole)
{
    UseItems({{L"old", L"one"}});
    CountUpdates();
    PutOnClipboard(L"");
    CItemsDlg dlg;
    int focusAtStart = 0;
    std::wstring proposed, editedWhole;
    std::vector<std::wstring> row0;
    int row0Id = 0;
    auto editClosed = [] { return !FindThreadWindow(L"数据项编辑"); };
    RunDialog(dlg, {ClickNew(dlg), OnEditDialog([&](HWND edit) {
                        focusAtStart = ::GetDlgCtrlID(::GetFocus());
                        proposed = DlgText(edit, IDC_EDIT_DATA1);
                        ::SetDlgItemTextW(edit, IDC_EDIT_TITLE, L"地址");
                        HWND content = ::GetDlgItem(edit, IDC_EDIT_DATA1);
                        ::SetFocus(content);
                        ::SendMessageW(content, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"北京市"));
                        ::PostMessageW(content, WM_KEYDOWN, VK_RETURN, 0x001C0001);  // Enter: a new line
                    }),
                    [&] {
                        HWND edit = FindThreadWindow(L"数据项编辑");
                        if (!edit || DlgText(edit, IDC_EDIT_DATA1) != L"北京市\r\n")
                            return false;
                        HWND content = ::GetDlgItem(edit, IDC_EDIT_DATA1);
                        ::SendMessageW(content, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"海淀区"));
                        HWND title = ::GetDlgItem(edit, IDC_EDIT_TITLE);
                        ::SetFocus(title);
                        ::PostMessageW(title, WM_KEYDOWN, VK_RETURN, 0x001C0001);  // Enter elsewhere: OK
                        return true;
                    },
                    editClosed,
                    [&] {
                        row0 = {RowText(dlg.m_list, 0, 0), RowText(dlg.m_list, 0, 1)};
                        row0Id = dlg.RowId(0);
                        return true;
                    },
                    DoubleClickRow(dlg, 0), OnEditDialog([&](HWND edit) {
                        editedWhole = DlgText(edit, IDC_EDIT_DATA1);
                        ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                    }),
                    editClosed});
    EXPECT_EQ(proposed, L"") << "an empty clipboard proposes nothing";
    EXPECT_EQ(focusAtStart, IDC_EDIT_TITLE);
    EXPECT_EQ(row0, (std::vector<std::wstring>{L"地址", L"北京市 …"})) << "one line in the list";
    EXPECT_EQ(editedWhole, L"北京市\r\n海淀区") << "the edit dialog gets the whole content";
    EXPECT_TRUE(dlg.m_isDataChanged);
    std::vector<StoredItem> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(row0Id, stored[1].id);
    EXPECT_EQ(stored[1].title, std::optional<std::wstring>(L"地址"));
    EXPECT_EQ(stored[1].data1, std::optional<std::wstring>(L"北京市\r\n海淀区"))
        << "stored as typed, after the edit too";
    EXPECT_EQ(stored[1].clicktimes, 0) << "the whole content came back unchanged: nothing written";
}

TEST_F(ItemsDlgTest, NewItemWhileAnotherProgramHoldsTheClipboardProposesNothingAndOpensAtOnce)
{
    UseItems({{L"old", L"one"}});
    PutOnClipboard(L"剪贴板里的文字");
    CClipboardHolder holder(CClipboardHolder::Mode::Hold, 60000);
    ASSERT_TRUE(holder.PumpUntilHolding());
    CItemsDlg dlg;
    DWORD clickedAt = 0, openedAt = 0;
    std::wstring proposed = L"<not seen>";
    RunDialog(dlg, {[&] {
                        clickedAt = ::GetTickCount();
                        ClickButton(dlg, IDC_NEWITEM);
                        return true;
                    },
                    OnEditDialog([&](HWND edit) {
                        openedAt = ::GetTickCount();
                        proposed = DlgText(edit, IDC_EDIT_DATA1);
                        ::PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
                    }),
                    [] { return !FindThreadWindow(L"数据项编辑"); }});
    holder.Release();
    EXPECT_EQ(holder.PumpUntilExit(), 0u);
    EXPECT_EQ(proposed, L"");
    EXPECT_LT(openedAt - clickedAt, 3000u) << "only the short retry before the dialog opens";
    EXPECT_EQ(Stored().size(), 1u);
}

TEST_F(ItemsDlgTest, NewItemProposesTheClipboardTextAndHeadsTheListOnceConfirmedWithAContent)
{
    UseItems({{L"old", L"one"}});
    // Characters beyond the basic plane and beyond any one code page come and go exactly.
    const std::wstring clip = L"剪贴板里的 it's 😀 ß 𠮷";
    PutOnClipboard(clip);
    CItemsDlg dlg;
    std::wstring proposedTitle, proposed;
    int focusId = 0;
    DWORD selStart = 1, selEnd = 0, textEnd = 0;
    SeenBox empty;
    int rowsAfterRefusal = -1;
    BOOL changedAfterRefusal = TRUE;
    std::vector<std::wstring> row0;
    auto editClosed = [] { return !FindThreadWindow(L"数据项编辑"); };
    auto clickOk = OnEditDialog([](HWND edit) { ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0); });
    RunDialog(dlg,
              {ClickNew(dlg),
               [&] {
                   HWND edit = FindThreadWindow(L"数据项编辑");
                   if (!edit || ::GetForegroundWindow() != edit)
                       return false;
                   proposedTitle = DlgText(edit, IDC_EDIT_TITLE);
                   proposed = DlgText(edit, IDC_EDIT_DATA1);
                   focusId = ::GetDlgCtrlID(::GetFocus());
                   HWND box = ::GetDlgItem(edit, IDC_EDIT_DATA1);
                   ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                                  reinterpret_cast<LPARAM>(&selEnd));
                   // The end of the text, in UTF-16 units.
                   ::SendMessageW(box, EM_SETSEL, 0, -1);
                   ::SendMessageW(box, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&textEnd));
                   ::SetWindowTextW(box, L"");
                   ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                   return true;
               },
               AnswerBox(empty),
               OnEditDialog([](HWND edit) { ::PostMessageW(edit, WM_COMMAND, IDCANCEL, 0); }), editClosed,
               [&] {
                   rowsAfterRefusal = dlg.m_list.GetItemCount();
                   changedAfterRefusal = dlg.m_isDataChanged;
                   return true;
               },
               // A question would stand over the list after the edit, and this step would time out.
               ClickNew(dlg), clickOk, [] { return !FindThreadWindow(L"数据项编辑") && !FindSystemDialog(); },
               [&] {
                   row0 = {RowText(dlg.m_list, 0, 0), RowText(dlg.m_list, 0, 1),
                           std::to_wstring(dlg.RowId(0))};
                   return true;
               }});
    EXPECT_EQ(proposedTitle, L"");
    EXPECT_EQ(proposed, clip);
    EXPECT_EQ(focusId, IDC_EDIT_DATA1);
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, textEnd) << "selected whole, so that typing replaces it";
    EXPECT_EQ(textEnd, clip.size());
    EXPECT_EQ(empty.text, L"复制内容不能为空！");
    EXPECT_EQ(rowsAfterRefusal, 1) << "refused, then cancelled: nothing added";
    EXPECT_FALSE(changedAfterRefusal);
    std::vector<StoredItem> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].title, std::optional<std::wstring>(L""));
    EXPECT_EQ(stored[1].data1, std::optional<std::wstring>(clip));
    EXPECT_EQ(stored[1].clicktimes, 0);
    EXPECT_EQ(row0, (std::vector<std::wstring>{L"", clip, std::to_wstring(stored[1].id)}))
        << "the newest item heads the list, with its id";
    EXPECT_TRUE(dlg.m_isDataChanged) << "closing has the main list read again";
}

TEST_F(ItemsDlgTest, NewItemProposesNoClipboardTextTheBoxCannotLayOutAtOnceSaysSoAndTakesItPastedByHand)
{
    auto repeat = [](const std::wstring& line, size_t times) {
        std::wstring text;
        while (times-- > 0)
            text += line;
        return text;
    };
    const std::tuple<const char*, std::wstring, bool> cases[] = {
        {"one line of 16,384 units", std::wstring(16384, L'y'), true},
        {"beyond 1 MB, in lines of 80 units", repeat(std::wstring(78, L'字') + L"\r\n", 6600), false},
        {"two lines of 12,000 units: wrapped as slowly as one of 17,000",
         std::wstring(12000, L'x') + L"\r\n" + std::wstring(12000, L'z'), false},
        {"16,384 lines of one character", repeat(L"x\r\n", 16384), false},
    };
    for (const auto& [why, clip, taken] : cases) {
        SCOPED_TRACE(why);
        PutOnClipboard(clip);
        CItemsDlg dlg;
        const size_t length = clip.size();
        int proposed = -1, pasted = -1;
        std::wstring note = L"<hidden>";
        RunDialog(dlg, {ClickNew(dlg), OnEditDialog([&](HWND edit) {
                            HWND content = ::GetDlgItem(edit, IDC_EDIT_DATA1);
                            proposed = ::GetWindowTextLengthW(content);
                            if (::IsWindowVisible(::GetDlgItem(edit, IDC_EDIT_NOTE)))
                                note = DlgText(edit, IDC_EDIT_NOTE);
                            if (length > 32767) {  // beyond the box's default limit
                                ::SendMessageW(content, WM_PASTE, 0, 0);
                                pasted = ::GetWindowTextLengthW(content);
                            }
                            ::PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
                        }),
                        [] { return !FindThreadWindow(L"数据项编辑"); }});
        EXPECT_EQ(proposed, taken ? static_cast<int>(clip.size()) : 0);
        EXPECT_EQ(note, taken ? L"<hidden>" : L"剪贴板上的文字太长，未自动填入，可自行粘贴。");
        EXPECT_EQ(pasted, length > 32767 ? static_cast<int>(length) : -1)
            << "pasted by hand, it is taken whole";
    }
}

// The team file's items are listed after the user's own, read-only: an edit or a delete of one
// says so, and a yes makes them items of the user's own, which the team's copies no longer repeat;
// every checked one, not only those drawn so far.
TEST_F(ItemsDlgTest, TeamItemsAreListedReadOnlyAndOfferedAsCopiesOfTheUsersOwn)
{
    UseItems({{L"地址", L"北京"}});
    const CString connStr = BuildConnectionString(m_dbPath.c_str());
    std::vector<CTeamItem> team = {{L"地址", L"北京"}, {L"问候", L"您好"}, {L"告别", L"再见"}};
    for (int i = 0; i < 100; ++i)
        team.push_back({L"团队" + std::to_wstring(i), L"内容" + std::to_wstring(i)});
    ASSERT_TRUE(StoreTeamVersion(connStr, {L"D:\\团队\\项目.csv", L"1", L"2026-12-09 10:00:00"}, team));
    const std::wstring readOnly = L"团队项目由共享文件维护，不能在这里修改。\n\n要复制为我的项目吗？复制后可以修改。";
    CItemsDlg dlg;
    std::vector<int> listed, listedAfter;
    std::wstring teamLabel;
    SeenBox edit, remove;
    bool changedAfterEdit = true;
    RunDialog(dlg, {[&] {
                        listed = ListedIds(dlg);
                        teamLabel = RowText(dlg.m_list, 1, 0);
                        PostDoubleClick(dlg.m_list, RowPoint(dlg.m_list, 1));
                        return true;
                    },
                    AnswerBox(edit, IDNO),
                    [&] {
                        changedAfterEdit = dlg.m_isDataChanged != FALSE;
                        // Every row, the team's far below the view among them.
                        ::SendMessageW(dlg.m_hWnd, WM_COMMAND, ID_LIST_SELECTALL, 0);
                        ClickButton(dlg, IDC_DELETECHECKED);
                        return true;
                    },
                    AnswerBox(remove, IDYES),
                    [&] {
                        listedAfter = ListedIds(dlg);
                        return true;
                    }});
    ASSERT_EQ(listed.size(), 103u);
    EXPECT_EQ(std::vector<int>(listed.begin(), listed.begin() + 3), (std::vector<int>{1, -2, -3}))
        << "the team's 地址 is the user's: listed once";
    EXPECT_EQ(teamLabel, L"[团队] 问候");
    EXPECT_EQ(edit.text, readOnly);
    EXPECT_FALSE(changedAfterEdit) << "no: nothing changes";
    EXPECT_EQ(remove.text, readOnly);
    ASSERT_EQ(listedAfter.size(), 103u);
    EXPECT_EQ(listedAfter.back(), 1) << "the copies head the list, the own item checked with them stays";
    EXPECT_TRUE(std::all_of(listedAfter.begin(), listedAfter.end(), [](int id) { return id > 0; }))
        << "no team row left";
    const std::vector<StoredItem> stored = Stored();
    ASSERT_EQ(stored.size(), 103u);
    EXPECT_EQ(stored[2].title, L"告别");
    EXPECT_EQ(stored[2].data1, L"再见");
    EXPECT_EQ(stored[102].title, L"团队99");
    EXPECT_EQ(stored[102].data1, L"内容99");
    EXPECT_TRUE(dlg.m_isDataChanged);
    EXPECT_EQ(testing_support::QueryText(m_dbPath, L"SELECT count(*) FROM T_TEAM_ITEM"), L"103") << "the file's items stay";
}
