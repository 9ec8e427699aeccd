// The import button of the items dialog: rows at the bottom with their real ids, items in the
// table, encodings, refused files, a table that refuses, all or nothing, and the real file chooser.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "tests/items/items_fixture.h"
#include "tests/items/refused_memory.h"
#include "tests/store/lock_holder_process.h"
#include "tests/support/message_box.h"

#include <gtest/gtest.h>
#include <memory>

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

std::vector<ListedRow> Listed(const CItemsDlg& dlg)
{
    std::vector<ListedRow> rows;
    for (int row = 0; row < dlg.m_list.GetItemCount(); ++row)
        rows.push_back({RowText(dlg.m_list, row, 0), RowText(dlg.m_list, row, 1), dlg.RowId(row)});
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
            listed = Listed(dlg);
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
    Import(dlg, {IDOK});
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
    EXPECT_EQ(boxes, std::vector<std::wstring>{L"已导入 5 项。"});
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
    empty.paths = {WriteFile(L"empty.txt", ""), WriteFile(L"blank.txt", "\n\r\n\n")};
    Import(empty, {IDOK, IDOK});
    EXPECT_EQ(boxes, std::vector<std::wstring>(2, L"文件中没有可导入的内容。"));
    EXPECT_EQ(listed, (std::vector<ListedRow>{{L"a", L"1", 1}}));
    EXPECT_FALSE(empty.m_isDataChanged) << "no line imported: the main list stays";
    EXPECT_EQ(Stored().size(), 1u);
}

TEST_F(ImportTest, ImportedRowsEditedAndDeletedAtOnceReachTheTable)
{
    UseItems({{L"old", L"existing"}});
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"two.txt", "edit me\ndelete me\n")};
    std::vector<ListedRow> after;
    testing_support::SeenBox importedBox;
    RunDialog(dlg, {[&] {
                        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_IMPORT), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] { return dlg.m_list.GetItemCount() == 3; }, testing_support::AnswerBox(importedBox),
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
                        PostCheckBoxClick(dlg.m_list, 2);
                        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_DELETECHECKED), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] {
                        after = Listed(dlg);
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
    Import(dlg, std::vector<int>(std::size(files), IDOK));
    for (size_t i = 0; i < std::size(files); ++i)
        EXPECT_EQ(boxes.at(i), L"已导入 " + std::to_wstring(files[i].lines.size()) + L" 项。")
            << files[i].why;
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

TEST_F(ImportTest, AnImportTheTableRefusesAnywhereLandsNothingAndSaysWhy)
{
    std::string twoThousand;
    for (int i = 1; i <= 2000; ++i)
        twoThousand += "line " + std::to_string(i) + "\n";
    const std::wstring notWritable = L"导入失败，未导入任何项目！数据库文件可能是只读的，或正被其他程序使用。";
    const std::wstring damaged = L"导入失败，未导入任何项目！数据库文件可能已损坏。";
    struct Case {
        const char* why;
        const wchar_t* trigger;  // set up on the table before the import
        std::string lines;
        bool writerLock;         // another program holds the write lock throughout
        std::wstring box;
        size_t refusedFrom = 0;  // no block of so many bytes is to be had meanwhile
    } cases[] = {
        {"the third line refused: the two before it go too",
         L"CREATE TRIGGER refuse BEFORE INSERT ON T_ITEM WHEN NEW.data1='bad' BEGIN SELECT "
         L"RAISE(ABORT,'no'); END;",
         "one\ntwo\nbad\nthree\n", false, damaged},
        {"line 1500 undoes the transaction: the thousand before it are not kept either",
         L"CREATE TRIGGER undo BEFORE INSERT ON T_ITEM WHEN NEW.data1='line 1500' BEGIN SELECT "
         L"RAISE(ROLLBACK,'no'); END;",
         twoThousand, false, damaged},
        {"another program writes meanwhile", nullptr, "one\ntwo\n", true, notWritable},
        {"no memory for a line of 3 MB", nullptr, "one\n" + std::string(3 << 20, 'x') + "\n", false,
         L"导入失败，未导入任何项目！内存不足。", 4 << 20},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.why);
        UseItems({{L"old", L"kept"}});
        if (test.trigger)
            testing_support::ExecuteSql(m_dbPath, test.trigger);
        std::unique_ptr<CLockHolderProcess> writer;
        if (test.writerLock) {
            writer = std::make_unique<CLockHolderProcess>(m_dbPath, CLockHolderProcess::Lock::Write, 0);
            ASSERT_TRUE(writer->HoldsLock());
        }
        g_connStr = BuildConnectionString(m_dbPath.c_str(), 200);
        CTestItemsDlg dlg;
        dlg.paths = {WriteFile(L"lines.txt", test.lines)};
        boxes.clear();
        {
            std::unique_ptr<CRefusedMemory> refused;
            if (test.refusedFrom)
                refused = std::make_unique<CRefusedMemory>(test.refusedFrom);
            Import(dlg, {IDOK});
        }
        EXPECT_EQ(boxes, (std::vector<std::wstring>{test.box}));
        EXPECT_EQ(listed, (std::vector<ListedRow>{{L"old", L"kept", 1}}));
        EXPECT_EQ(dlg.LastImport().importedLines, 0);
        EXPECT_FALSE(dlg.m_isDataChanged);
        writer.reset();
        EXPECT_EQ(StoredContents(Stored()), (std::vector<std::wstring>{L"kept"}));
    }
}

TEST_F(ImportTest, ALongImportShowsItsProgressAndCancellingItLandsNothing)
{
    UseItems({{L"old", L"kept"}});
    // Another program's write keeps the import waiting, long enough to be seen and cancelled.
    CLockHolderProcess writer(m_dbPath, CLockHolderProcess::Lock::Write, 0);
    ASSERT_TRUE(writer.HoldsLock());
    g_connStr = BuildConnectionString(m_dbPath.c_str(), 20000);
    CTestItemsDlg dlg;
    dlg.paths = {WriteFile(L"lines.txt", "one\ntwo\nthree\n")};
    std::wstring progressText;
    bool boxShown = true;
    RunDialog(dlg, {[&] {
                        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_IMPORT), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] {
                        HWND progress = FindThreadWindow(L"导入");
                        if (!progress)
                            return false;
                        wchar_t text[128] = {};
                        ::GetDlgItemTextW(progress, IDC_IMPORT_PROGRESSTEXT, text, ARRAYSIZE(text));
                        progressText = text;
                        ::PostMessageW(::GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] {
                        if (!FindThreadWindow(L"导入"))
                            return false;
                        // Cancelled while waiting: once the other program lets go, the import
                        // ends having undone its lines.
                        writer.Go();
                        return true;
                    },
                    [&] { return !FindThreadWindow(L"导入") && dlg.chooserCalls == 1; },
                    [&] {
                        boxShown = FindSystemDialog() != nullptr;
                        listed = Listed(dlg);
                        return true;
                    }});
    EXPECT_EQ(progressText.rfind(L"正在导入：已读取 ", 0), 0u) << testing_support::Utf8(progressText);
    EXPECT_TRUE(dlg.LastImport().outcome == CImportReport::Outcome::Cancelled);
    EXPECT_FALSE(boxShown) << "the user's own cancel is not reported as a failure";
    EXPECT_EQ(listed, (std::vector<ListedRow>{{L"old", L"kept", 1}}));
    EXPECT_FALSE(dlg.m_isDataChanged);
    EXPECT_EQ(writer.WaitForExit(), 0);
    EXPECT_EQ(StoredContents(Stored()), (std::vector<std::wstring>{L"kept"}));
}

TEST_F(ImportTest, AnImportKilledHalfwayLeavesTheTableAsItWas)
{
    UseItems({{L"old", L"kept"}});
    std::string lines;
    for (int i = 1; i <= 50000; ++i)
        lines += "a line of the import that is killed, number " + std::to_string(i) + "\n";
    const std::wstring file = WriteFile(L"many.txt", lines);
    const std::wstring prefix = L"mirelo-import-" + std::to_wstring(::GetCurrentProcessId());
    CKernelHandle halfway(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-halfway").c_str()));
    std::wstring command = L"\"" + testing_support::ProgramFolder() + L"..\\items_import_child.exe\" \"" + m_dbPath +
                           L"\" \"" + file + L"\" " + prefix;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    CKernelHandle process(started.hProcess), thread(started.hThread);
    // The child stops its import after a few thousand lines have gone into the table, and says so.
    HANDLE waitFor[] = {halfway.Get(), process.Get()};
    ASSERT_EQ(::WaitForMultipleObjects(2, waitFor, FALSE, 20000), WAIT_OBJECT_0) << "the import ended by itself";
    ASSERT_TRUE(::TerminateProcess(process.Get(), 9));
    ASSERT_EQ(::WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);

    EXPECT_EQ(StoredContents(Stored()), (std::vector<std::wstring>{L"kept"}));
    EXPECT_EQ(testing_support::QueryText(m_dbPath, L"PRAGMA integrity_check"), L"ok");
    // Imported again, the file lands whole, once, read a piece at a time: no block of 1 MB is needed.
    CTestItemsDlg dlg;
    dlg.paths = {file};
    {
        CRefusedMemory refused(1 << 20);
        Import(dlg, {IDOK});
    }
    EXPECT_EQ(dlg.LastImport().importedLines, 50000);
    EXPECT_EQ(Stored().size(), 50001u);
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
    EXPECT_EQ(firstType, L"文本文件 (*.txt;*.csv)")
        << "the text-file chooser opened, the items file listed too";
    EXPECT_FALSE(dlg.m_isDataChanged);
    EXPECT_EQ(Stored().size(), 1u);
}
