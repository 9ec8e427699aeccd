// Paths, files, number and time texts, and trimming: character-wise in code page 936.
#include "corelib/core.h"
#include "base/dbcs_text.h"
#include "base/first_line.h"
#include "base/text_codec.h"
#include "corelib/time_text.h"
#include "store/connstr.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

namespace {

// "YYYY-MM-DD HH:MM:SS" with every field zero-padded.
bool HasTimeShape(const CString& text)
{
    const char shape[] = "9999-99-99 99:99:99";
    if (text.GetLength() != static_cast<int>(sizeof(shape)) - 1)
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
    char text[32] = {};
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return text;
}

}  // namespace

TEST(AppPath, IsTheProgramsFolderEndingInABackslash)
{
    CCore core;
    CString folder = core.getAppPath();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_EQ(folder[folder.GetLength() - 1], '\\');
    EXPECT_EQ(core.isFileExist(folder + "corelib_tests.exe"), 1);
    EXPECT_EQ(core.isFileExist(folder + "clipboard_holder.exe"), 1);
}

TEST(FileExist, OnlyFilesCount)
{
    CCore core;
    CString folder = core.getAppPath();
    EXPECT_EQ(core.isFileExist(folder + "no such file.mdb"), 0);
    EXPECT_EQ(core.isFileExist(folder), 0);
    EXPECT_EQ(core.isFileExist(folder.Left(folder.GetLength() - 1)), 0);
    EXPECT_EQ(core.isFileExist(""), 0);
}

TEST(FolderOfPath, DoesNotCutADoubleByteCharacterWhoseSecondByteIsABackslash)
{
    // 0x81 0x5C is one character; its second byte is not a separator.
    EXPECT_EQ(FolderOfPath("C:\\dir\\a\x81\x5Cprog.exe"), "C:\\dir\\");
    EXPECT_EQ(FolderOfPath("C:\\dir\x81\x5C\\prog.exe"), "C:\\dir\x81\x5C\\");
    EXPECT_EQ(FolderOfPath("prog.exe"), "");
    EXPECT_EQ(FolderOfPath("C:/dir/prog.exe"), "C:/dir/");
}

TEST(FitsSystemCodePage, OnlyTextThatComesBackUnchangedFits)
{
    for (const std::wstring& fits : {std::wstring(), std::wstring(L"中文 é Ω ? end\r\n"), std::wstring(L"こんにちは Привет")}) {
        EXPECT_TRUE(FitsSystemCodePage(fits));
        EXPECT_EQ(SystemToWide(WideToSystem(fits)), fits);
    }
    // An emoji (a surrogate pair), ß (936 has no code for it), and a lone surrogate.
    for (const std::wstring& lacks : {std::wstring(L"笑\U0001F600"), std::wstring(L"ß"), std::wstring(1, L'\xD800')})
        EXPECT_FALSE(FitsSystemCodePage(lacks));
}

TEST(FirstLineShown, ATextOfSeveralLinesShowsItsFirstLineAndAnEllipsis)
{
    EXPECT_EQ(FirstLineShown("北京市\r\n海淀区\r\n"), "北京市 …");
    EXPECT_EQ(FirstLineShown("a\nb"), "a\x20\xA1\xAD") << "a blank and the ellipsis of code page 936";
    EXPECT_EQ(FirstLineShown("a\rb"), "a …") << "a carriage return alone breaks the line as well";
    EXPECT_EQ(FirstLineShown("\r\nb"), " …");
    // One line shows as it is, an ellipsis of its own included.
    EXPECT_EQ(FirstLineShown("表 it's 100% …"), "表 it's 100% …");
    EXPECT_EQ(FirstLineShown(""), "");
}

TEST(TrimStrTail, RemovesTheLastCharacter)
{
    CCore core;
    CString ids = "12,7,3,";
    core.trimStrTail(ids);
    EXPECT_EQ(ids, "12,7,3");
    CString empty;
    core.trimStrTail(empty);
    EXPECT_EQ(empty, "");
    CString one = ",";
    core.trimStrTail(one);
    EXPECT_EQ(one, "");
    // A double-byte character goes as a whole, also one whose second byte looks like ASCII.
    CString chinese = "标签中";
    core.trimStrTail(chinese);
    EXPECT_EQ(chinese, "标签");
    CString trailAscii = "a\x81\x40";
    core.trimStrTail(trailAscii);
    EXPECT_EQ(trailAscii, "a");
}

TEST(GetStrInt, GivesDecimalText)
{
    CCore core;
    EXPECT_EQ(core.getStrInt(0), "0");
    EXPECT_EQ(core.getStrInt(12), "12");
    EXPECT_EQ(core.getStrInt(-7), "-7");
    EXPECT_EQ(core.getStrInt(INT_MIN), "-2147483648");
}

TEST(TimeNow, IsLocalTimeAsSortableText)
{
    CCore core;
    CString before = LocalTimeText();
    CString first = core.getTimeNowStr("");
    CString second = core.getTimeNowStr("");
    CString after = LocalTimeText();
    EXPECT_TRUE(HasTimeShape(first)) << (LPCSTR)first;
    EXPECT_FALSE(first < before) << (LPCSTR)first << " < " << (LPCSTR)before;
    EXPECT_FALSE(after < second) << (LPCSTR)after << " < " << (LPCSTR)second;
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
    EXPECT_EQ(FormatTime(time, ""), "2026-02-09 09:05:07");
    EXPECT_EQ(FormatTime(time, "yyyyMMdd"), "20260209");
    EXPECT_EQ(FormatTime(time, "HH时mm分"), "09时05分");
    // The second byte of 0x81 0x4D is 'M': with the 'M' after it, it is not "MM".
    EXPECT_EQ(FormatTime(time, "\x81\x4DM"), "\x81\x4DM");
}

TEST(DbConnStr, OpensTheFileAtThePathGiven)
{
    CCore core;
    CString path = "C:\\数据;a=b\"c\\sys.mdb";
    CString connStr = core.getDbConnStrMdb(path);
    EXPECT_EQ(connStr, BuildConnectionString(path));
    CConnectionSettings settings;
    ASSERT_TRUE(ParseConnectionString(connStr, &settings));
    EXPECT_EQ(settings.path, L"C:\\\u6570\u636e;a=b\"c\\sys.mdb");
    EXPECT_GT(settings.busyTimeoutMs, 0);
}
