// Paths, files, number and time texts, and trimming: character-wise, surrogate pairs kept whole.
#include "corelib/core.h"
#include "base/first_line.h"
#include "base/text_walk.h"
#include "corelib/time_text.h"
#include "store/connstr.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// "YYYY-MM-DD HH:MM:SS" with every field zero-padded.
bool HasTimeShape(const CString& text)
{
    const wchar_t shape[] = L"9999-99-99 99:99:99";
    if (text.GetLength() != static_cast<int>(ARRAYSIZE(shape)) - 1)
        return false;
    for (int i = 0; i < text.GetLength(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '9' ? !digit : text[i] != shape[i])
            return false;
    }
    return true;
}

CString LocalTimeText()
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    CString text;
    text.Format(L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                now.wSecond);
    return text;
}

}  // namespace

TEST(AppPath, IsTheProgramsFolderEndingInABackslash)
{
    CCore core;
    CString folder = core.getAppPath();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_EQ(folder[folder.GetLength() - 1], '\\');
    EXPECT_EQ(core.isFileExist(folder + L"corelib_tests.exe"), 1);
    EXPECT_EQ(core.isFileExist(folder + L"clipboard_holder.exe"), 1);
}

TEST(FileExist, OnlyFilesCount)
{
    CCore core;
    CString folder = core.getAppPath();
    EXPECT_EQ(core.isFileExist(folder + L"no such file.mdb"), 0);
    EXPECT_EQ(core.isFileExist(folder), 0);
    EXPECT_EQ(core.isFileExist(folder.Left(folder.GetLength() - 1)), 0);
    EXPECT_EQ(core.isFileExist(L""), 0);
}

TEST(FolderOfPath, EndsAtTheLastSeparatorAndKeepsEveryCharacterBeforeIt)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* folder;
        const char* why;
    };
    const Case cases[] = {
        {L"C:\\Users\\😀 张三 Zoë\\Mirelo\\Mirelo.exe", L"C:\\Users\\😀 张三 Zoë\\Mirelo\\",
         "an emoji, Chinese and ë in a folder name are kept"},
        {L"C:\\dir\\𠮷\\prog😀.exe", L"C:\\dir\\𠮷\\", "the file name goes, its surrogate pair with it"},
        {L"C:\\dir\\面🍜\\prog.exe", L"C:\\dir\\面🍜\\",
         "🍜 is D83C DF5C: a unit holding the byte 0x5C is still no separator"},
        {L"prog.exe", L"", "no separator, no folder"},
        {L"C:/dir/prog.exe", L"C:/dir/", "a slash separates too"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.why;
}

TEST(FirstLineShown, ATextOfSeveralLinesShowsItsFirstLineAndAnEllipsis)
{
    EXPECT_EQ(FirstLineShown(L"北京市\r\n海淀区\r\n"), L"北京市 …");
    EXPECT_EQ(FirstLineShown(L"a\nb"), L"a\x20\x2026") << "a blank and the ellipsis U+2026";
    EXPECT_EQ(FirstLineShown(L"a\rb"), L"a …") << "a carriage return alone breaks the line as well";
    EXPECT_EQ(FirstLineShown(L"\r\nb"), L" …");
    // One line shows as it is, an ellipsis of its own included.
    EXPECT_EQ(FirstLineShown(L"表 it's 100% …"), L"表 it's 100% …");
    EXPECT_EQ(FirstLineShown(L""), L"");
}

TEST(TrimStrTail, RemovesTheLastCharacter)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* trimmed;
        const char* why;
    };
    const Case cases[] = {
        {L"12,7,3,", L"12,7,3", "a trailing separator"},
        {L"", L"", "nothing to remove"},
        {L",", L"", "the only character"},
        {L"标签中", L"标签", "a Chinese character"},
        {L"标签😀", L"标签", "an emoji goes whole, both halves of its pair"},
        {L"a𠮷", L"a", "𠮷 is a surrogate pair too"},
        {L"a\xDE00", L"a", "a lone low surrogate is one character: the one before it stays"},
    };
    CCore core;
    for (const Case& c : cases) {
        CString text = c.text;
        core.trimStrTail(text);
        EXPECT_EQ(text, c.trimmed) << c.why;
    }
}

TEST(GetStrInt, GivesDecimalText)
{
    CCore core;
    EXPECT_EQ(core.getStrInt(0), L"0");
    EXPECT_EQ(core.getStrInt(12), L"12");
    EXPECT_EQ(core.getStrInt(-7), L"-7");
    EXPECT_EQ(core.getStrInt(INT_MIN), L"-2147483648");
}

TEST(TimeNow, IsLocalTimeAsSortableText)
{
    CCore core;
    CString before = LocalTimeText();
    CString first = core.getTimeNowStr(L"");
    CString second = core.getTimeNowStr(L"");
    CString after = LocalTimeText();
    EXPECT_TRUE(HasTimeShape(first)) << (LPCWSTR)first;
    EXPECT_FALSE(first < before) << (LPCWSTR)first << " < " << (LPCWSTR)before;
    EXPECT_FALSE(after < second) << (LPCWSTR)after << " < " << (LPCWSTR)second;
    EXPECT_FALSE(second < first);
}

TEST(TimeFormat, ReplacesFieldNamesAndKeepsEverythingElse)
{
    SYSTEMTIME time = {};
    time.wYear = 2026;
    time.wMonth = 2;
    time.wDay = 9;
    time.wHour = 9;
    time.wMinute = 5;
    time.wSecond = 7;
    EXPECT_EQ(FormatTime(time, L""), L"2026-02-09 09:05:07");
    EXPECT_EQ(FormatTime(time, L"yyyyMMdd"), L"20260209");
    EXPECT_EQ(FormatTime(time, L"HH时mm分"), L"09时05分");
    // Characters beyond the basic plane are copied whole, and field names right after them still count.
    EXPECT_EQ(FormatTime(time, L"😀MM𠮷dd😀"), L"😀02𠮷09😀");
}

TEST(DbConnStr, OpensTheFileAtThePathGiven)
{
    CCore core;
    CString path = L"C:\\数据;a=b\"c\\sys.mdb";
    CString connStr = core.getDbConnStrMdb(path);
    EXPECT_EQ(connStr, BuildConnectionString(path));
    CConnectionSettings settings;
    ASSERT_TRUE(ParseConnectionString(connStr, &settings));
    EXPECT_EQ(settings.path, L"C:\\\u6570\u636e;a=b\"c\\sys.mdb");
    EXPECT_GT(settings.busyTimeoutMs, 0);
}
