// The import button of the items dialog: rows at the bottom with their real ids, items in the
// table, encodings, refused files, a table that refuses, and the real file chooser.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "tests/items/items_fixture.h"
#include "tests/support/message_box.h"

#include <gtest/gtest.h>

using namespace items_testing;

namespace {

// The list as the user sees it: label, content and the row's id.
struct ListedRow {
    std::wstring title;
    std::wstring data1;
    int id = 0;
    bool operator==(const ListedRow& other) const
    {
        return title == other.title && data1 == other.data1 && id == other.id;
    }
};
std::ostream& operator<<(std::ostream& out, const ListedRow& row)
{
    return out << "{" << testing_support::Utf8(row.title) << "|" << testing_support::Utf8(row.data1) << "|"
               << row.id << "}";
}

std::vector<ListedRow> Listed(const CListCtrl& list)
{
    std::vector<ListedRow> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows.push_back(
            {RowText(list, row, 0), RowText(list, row, 1), static_cast<int>(list.GetItemData(row))});
    return rows;
}

class ImportTest : public ItemsTest {
protected:
    // Opens the dialog and presses 导入 once per entry of boxAfterPress, answering the message box
    // each press that is marked with a button (IDOK; 0 for none) is expected to show;
    // keeps the list as it stood before the dialog closed. An unexpected box fails the run.
    void Import(CTestItemsDlg& dlg, std::vector<int> boxAfterPress = {0})
    {
        std::vector<std::function<bool()>> steps;
        for (size_t press = 0; press < boxAfterPress.size(); ++press) {
            int calls = static_cast<int>(press);
            steps.push_back([&dlg] {
                ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_IMPORT), BM_CLICK, 0, 0);
                return true;
            });
            steps.push_back([&dlg, calls] { return dlg.chooserCalls == calls + 1; });
            if (int button = boxAfterPress[press]) {
                steps.push_back([this, button] {
                    HWND box = FindSystemDialog();
                    if (!box)
                        return false;
                    boxes.push_back(testing_support::MessageBoxText(box));
                    testing_support::AnswerMessageBox(box, button);
                    return true;
                });
            }
            steps.push_back([] { return !FindSystemDialog(); });
        }
        steps.push_back([&] {
            listed = Listed(dlg.m_list);
            return true;
        });
        RunDialog(dlg, steps);
    }

    std::vector<ListedRow> listed;
    std::vector<std::wstring> boxes;
};

StoredItem ImportedItem(int id, const std::wstring& data1)
{
    StoredItem item;
    item.id = id;
    item.title = std::wstring();
    item.data1 = data1;
    return item;
}

std::vector<std::wstring> StoredContents(const std::vector<StoredItem>& items)
{
    std::vector<std::wstring> contents;
    for (const StoredItem& item : items)
        contents.push_back(item.data1.value_or(L"<null>"));
    return contents;
}

}  // namespace

TEST_F(ImportTest, EachNonEmptyLineBecomesARowAtTheBottomWithItsIdAndAnItemAsTheFileHoldsIt)
{
    std::vector<TestItem> ten;
    for (int i = 1; i <= 10; ++i)
        ten.push_back({L"t", std::to_wstring(i)});
    UseItems(ten);
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"lines.txt", "a\r\n\r\n  b  \r\n   \r\n\tit's 'x' 100%s \\\r\nlast")};
    Import(dlg);
    ASSERT_EQ(listed.size(), 15u);
    EXPECT_EQ(listed[0].id, 10) << "loaded rows stay on top, newest first";
    std::vector<ListedRow> imported(listed.begin() + 10, listed.end());
    EXPECT_EQ(imported, (std::vector<ListedRow>{{L"", L"a", 11},
                                                {L"", L"  b  ", 12},
                                                {L"", L"   ", 13},
                                                {L"", L"\tit's 'x' 100%s \\", 14},
                                                {L"", L"last", 15}}));
    std::vector<StoredItem> stored = Stored();
    ASSERT_EQ(stored.size(), 15u);
    EXPECT_EQ(stored[10], ImportedItem(11, L"a")) << "empty label (not null), never clicked";
    EXPECT_EQ(stored[13], ImportedItem(14, L"\tit's 'x' 100%s \\"));
    EXPECT_EQ(stored[14], ImportedItem(15, L"last")) << "the last line needs no end";
    EXPECT_TRUE(dlg.m_isDataChanged);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dlg.LastImport().importedLines, 5);
}

TEST_F(ImportTest, CancellingTheChooserOrAFileOfEmptyLinesChangesNothing)
{
    UseItems({{L"a", L"1"}});
    CTestItemsDlg cancelled;
    cancelled.paths = {L""};
    Import(cancelled);
    EXPECT_EQ(cancelled.chooserCalls, 1);
    EXPECT_EQ(listed, (std::vector<ListedRow>{{L"a", L"1", 1}}));
    EXPECT_FALSE(cancelled.m_isDataChanged);

    CTestItemsDlg empty;
    empty.paths = {WriteFile(L"empty.txt", "\n\r\n\n")};
    Import(empty);
    EXPECT_EQ(listed, (std::vector<ListedRow>{{L"a", L"1", 1}}));
    EXPECT_FALSE(empty.m_isDataChanged) << "no line imported: no restart request";
    EXPECT_EQ(Stored().size(), 1u);
}

TEST_F(ImportTest, ImportedRowsEditedAndDeletedAtOnceReachTheTable)
{
    UseItems({{L"old", L"existing"}});
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"two.txt", "edit me\ndelete me\n")};
    std::vector<ListedRow> after;
    RunDialog(dlg, {[&] {
                        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_IMPORT), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] { return dlg.m_list.GetItemCount() == 3; },
                    [&] {
                        PostDoubleClick(dlg.m_list, RowPoint(dlg.m_list, 1));
                        return true;
                    },
                    [&] {
                        HWND edit = FindThreadWindow(L"数据项编辑");
                        if (!edit)
                            return false;
                        ::SetDlgItemTextW(edit, IDC_EDIT_TITLE, L"edited");
                        ::PostMessageW(::GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] { return !FindThreadWindow(L"数据项编辑"); },
                    [&] {
                        dlg.m_list.SetCheck(2);
                        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_DELETECHECKED), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] {
                        after = Listed(dlg.m_list);
                        return after.size() == 2;
                    }});
    EXPECT_EQ(after, (std::vector<ListedRow>{{L"old", L"existing", 1}, {L"edited", L"edit me", 2}}));
    std::vector<StoredItem> stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].id, 2);
    EXPECT_EQ(stored[1].title, L"edited");
    EXPECT_EQ(stored[1].data1, L"edit me");
}

TEST_F(ImportTest, TheSameChineseTextImportsAlikeFromEveryEncoding)
{
    // Emoji and 𠮷 included: every character reaches the list and the table as it is, unasked.
    const std::string utf8 = u8"你好，世界！\r\n“引号”…café、。\n第三行 😀𠮷";
    std::u16string utf16 = u"你好，世界！\r\n“引号”…café、。\n第三行 😀𠮷";
    std::string utf16le = "\xFF\xFE";
    for (char16_t unit : utf16) {
        utf16le += static_cast<char>(unit & 0xFF);
        utf16le += static_cast<char>(unit >> 8);
    }
    const std::vector<std::wstring> once = {L"你好，世界！", L"“引号”…café、。", L"第三行 😀𠮷"};
    const UINT codePage = ::GetACP();
    ASSERT_TRUE(codePage == 936 || codePage == 1252) << "the files know code pages 936 and 1252";
    const bool on936 = codePage == 936;
    struct File {
        const wchar_t* name;
        std::string bytes;
        std::vector<std::wstring> lines;
        const char* why;
    };
    const File files[] = {
        {L"utf8.txt", utf8, once, "UTF-8 without a mark"},
        {L"utf8bom.txt", "\xEF\xBB\xBF" + utf8, once, "UTF-8 with its mark"},
        {L"utf16le.txt", utf16le, once, "UTF-16LE with its mark"},
        {L"local.txt",
         on936 ? "\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7\xA3\xA1\r\n"
                 "\xA1\xB0\xD2\xFD\xBA\xC5\xA1\xB1\xA1\xAD"
                 "caf\xA8\xA6\xA1\xA2\xA1\xA3\n\xB5\xDA\xC8\xFD\xD0\xD0"
               : "caf\xE9 \xBD\r\n\x93quotes\x94\x85",
         on936 ? std::vector<std::wstring>{L"你好，世界！", L"“引号”…café、。", L"第三行"}
               : std::vector<std::wstring>{L"café ½", L"“quotes”…"},
         "neither marked nor UTF-8: the system code page"},
        // Short code page text that is UTF-8 by chance (模 is C4 A3 in 936) stays code page text.
        {L"mo.txt", "\xC4\xA3", {on936 ? L"模" : L"Ä£"}, "C4 A3 in the system code page"},
        // UTF-8 without a mark beyond Chinese, and 936 text that is UTF-8 by chance, both ways.
        {L"kana.txt", u8"こんにちは\r\nПривет, мир", {L"こんにちは", L"Привет, мир"}, "UTF-8 of other scripts"},
        {L"xiaoshuo.txt", "\xD0\xA1\xCB\xB5", {on936 ? L"小说" : L"Ð¡Ëµ"},
         "D0 A1 CB B5 in the system code page"},
    };
    CTestItemsDlg dlg;
    std::vector<std::wstring> expected;
    for (const File& file : files) {
        dlg.paths.push_back(WriteFile(file.name, file.bytes));
        expected.insert(expected.end(), file.lines.begin(), file.lines.end());
    }
    Import(dlg, std::vector<int>(std::size(files), 0));  // a box at any press fails the run
    EXPECT_TRUE(boxes.empty()) << "nothing is lost, so nothing is asked";
    EXPECT_EQ(StoredContents(Stored()), expected);
    ASSERT_EQ(listed.size(), expected.size());
    size_t line = 0;
    for (const File& file : files) {
        for (const std::wstring& text : file.lines)
            EXPECT_EQ(listed[line++].data1, text) << file.why;
    }
}

TEST_F(ImportTest, FilesThatAreNotTextOrCannotBeReadImportNothingWithAWarning)
{
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"binary.txt", std::string("MZ\0\0\x90\nline\n", 9)), PathInFolder(L"missing.txt")};
    Import(dlg, {IDOK, IDOK});
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"所选文件不是文本文件，未导入任何内容。",
                                               L"无法读取所选文件，未导入任何内容。"}));
    EXPECT_TRUE(listed.empty());
    EXPECT_TRUE(Stored().empty());
    EXPECT_FALSE(dlg.m_isDataChanged) << "nothing imported";
}

TEST_F(ImportTest, AStatementTheTableRefusesStopsTheImportAndKeepsTheRowsBeforeIt)
{
    testing_support::ExecuteSql(m_dbPath,
                                L"CREATE TRIGGER refuse BEFORE INSERT ON T_ITEM WHEN NEW.data1='bad' "
                                L"BEGIN SELECT RAISE(ABORT,'refused'); END;");
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"bad.txt", "one\ntwo\nbad\nthree\n")};
    Import(dlg, {IDOK});
    EXPECT_EQ(listed, (std::vector<ListedRow>{{L"", L"one", 1}, {L"", L"two", 2}}));
    EXPECT_EQ(StoredContents(Stored()), (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"写入数据库失败，导入已停止：已导入 2 行。"}));
}

TEST_F(ImportTest, AGroupRolledBackIsTakenOutOfTheListAgain)
{
    // The 1,500th line rolls back its whole transaction: the first thousand stay committed.
    testing_support::ExecuteSql(m_dbPath,
                                L"CREATE TRIGGER undo BEFORE INSERT ON T_ITEM WHEN NEW.data1='line 1500' "
                                L"BEGIN SELECT RAISE(ROLLBACK,'undone'); END;");
    std::string lines;
    for (int i = 1; i <= 2000; ++i)
        lines += "line " + std::to_string(i) + "\n";
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"many.txt", lines)};
    Import(dlg, {IDOK});
    ASSERT_EQ(listed.size(), 1000u);
    EXPECT_EQ(listed.back(), (ListedRow{L"", L"line 1000", 1000}));
    EXPECT_EQ(Stored().size(), 1000u);
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"写入数据库失败，导入已停止：已导入 1000 行。"}));
}

TEST_F(ImportTest, WithoutADatabaseNothingIsListed)
{
    g_connStr = BuildConnectionString(PathInFolder(L"gone.mdb").c_str());
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"lines.txt", "one\ntwo\n")};
    SeenBox unreadable, stopped;
    RunDialog(dlg, {AnswerBox(unreadable),
                    [&] {
                        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_IMPORT), BM_CLICK, 0, 0);
                        return true;
                    },
                    AnswerBox(stopped),
                    [&] {
                        listed = Listed(dlg.m_list);
                        return true;
                    }});
    EXPECT_TRUE(unreadable.seen) << "the items could not be read either";
    EXPECT_TRUE(listed.empty());
    EXPECT_EQ(stopped.text, L"写入数据库失败，导入已停止：已导入 0 行。");
    EXPECT_FALSE(dlg.m_isDataChanged);
}

TEST_F(ImportTest, TheRealChooserOpensAndCancellingItChangesNothing)
{
    UseItems({{L"a", L"1"}});
    CItemsDlg dlg;
    std::wstring firstType;
    RunDialog(dlg, {[&] {
                        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_IMPORT), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] {
                        HWND chooser = FindSystemDialog();
                        if (!chooser)
                            return false;
                        // Only a file chooser has the file type box (cmb1).
                        wchar_t type[128] = {};
                        ::SendDlgItemMessageW(chooser, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(type));
                        firstType = type;
                        ::PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    },
                    [&] { return !FindSystemDialog(); }});
    EXPECT_EQ(firstType, L"文本文件 (*.txt)") << "the text-file chooser opened";
    EXPECT_FALSE(dlg.m_isDataChanged);
    EXPECT_EQ(Stored().size(), 1u);
}
