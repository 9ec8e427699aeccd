// The team file read whole or not at all: what each kind of file gives.
#include "items/teamfile.h"

#include "base/kernel_handles.h"
#include "base/text_codec.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Outcome = CTeamFileRead::Outcome;
using testing_support::TestTempPath;
using testing_support::WriteFileBytes;

std::string Utf16(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string Repeated(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

// "label=content|..." of the items read.
std::wstring ItemsOf(const CTeamFileRead& read)
{
    std::wstring items;
    for (const CTeamItem& item : read.items)
        items += (items.empty() ? L"" : L"|") + item.title + L"=" + item.data1;
    return items;
}

TEST(TeamFileRead, TakesOnlyAWholeWellFormedItemsFileAndSaysWhyNot)
{
    const std::string header = "\xEF\xBB\xBF标签,内容,点击次数,最后复制时间\r\n";
    const struct {
        std::string bytes;
        Outcome outcome;
        std::wstring items;
        int faultLine;
        const char* reason;
    } cases[] = {
        {header + "问候,您好,7,2026-01-02 03:04:05\r\n告别,\"再见\r\n慢走\",,\r\n", Outcome::Read,
         L"问候=您好|告别=再见\r\n慢走", 0, "a colleague's export: counts and times are theirs, left out"},
        {"标签,内容,点击次数,最后复制时间,置顶\r\n问候,您好,0,,1\r\n", Outcome::Read, L"问候=您好", 0,
         "a later version's fifth column is left alone"},
        {Utf16(L"标签,内容,点击次数,最后复制时间\r\n问候,您好,,\r\n"), Outcome::Read, L"问候=您好", 0,
         "UTF-16 as a spreadsheet saves Unicode text"},
        {WideToCodePage(936, L"标签,内容,点击次数,最后复制时间\r\n问候,您好,,\r\n"), Outcome::Read,
         L"问候=您好", 0,
         "code page 936, as Chinese Windows' spreadsheets save CSV, on a system of any code page"},
        {header + "问候,您好,,\r\n\r\n标签,内容,点击次数,最后复制时间\r\n", Outcome::Read, L"问候=您好", 0,
         "empty lines and the header again give no item"},
        {header + "问候,您好,,\r\n告别,\"感谢来电", Outcome::Malformed, L"", 3,
         "cut in the middle of a record: nothing of it is taken"},
        {header + "问候,您好\r\n", Outcome::Malformed, L"", 2, "a record of fewer fields than the header"},
        {"问候\r\n告别\r\n", Outcome::NotItemsFile, L"", 0, "a text file of lines is not the items file"},
        {header + Repeated("问候,您好,,\r\n", 8000) + std::string(1, '\0'),
         Outcome::NotItemsFile, L"", 0, "a NUL far into the file: no text, whether or not it is in reach"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.reason);
        const std::wstring path = TestTempPath(L"团队项目.csv");
        WriteFileBytes(path, row.bytes);
        const CTeamFileRead read = ReadTeamFile(path.c_str());
        EXPECT_EQ(read.outcome, row.outcome);
        EXPECT_EQ(ItemsOf(read), row.items);
        EXPECT_EQ(read.faultLine, row.faultLine);
    }
}

TEST(TeamFileRead, AFileOutOfReachOrHeldByItsWriterIsNotRead)
{
    const std::wstring path = TestTempPath(L"团队项目.csv");
    EXPECT_EQ(ReadTeamFile(path.c_str()).outcome, Outcome::Unreachable) << "no file";
    EXPECT_EQ(ReadTeamFile(TestTempPath(L"无此文件夹\\团队项目.csv").c_str()).outcome, Outcome::Unreachable)
        << "no folder";
    WriteFileBytes(path, "标签,内容,点击次数,最后复制时间\r\n问候,您好,,\r\n");
    // A program saving it, sharing it with nobody: tried again later, not taken as gone.
    CFileHandle writer(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(ReadTeamFile(path.c_str()).outcome, Outcome::Busy);
    writer.Reset();
    EXPECT_EQ(ReadTeamFile(path.c_str()).outcome, Outcome::Read);
}

}  // namespace
