// CStdioFile: line ends, the last line, long lines, bytes that are content and UTF-8 decoding.
#include "framework/stdiofile.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> ReadLines(const std::string& bytes)
{
    wchar_t path[MAX_PATH];
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    ::GetTempFileNameW(folder, L"lin", 0, path);
    FILE* file = _wfopen(path, L"wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    std::vector<std::wstring> lines;
    {
        CStdioFile reader;
        EXPECT_TRUE(reader.Open(path, CStdioFile::modeRead | CStdioFile::typeText));
        CString line;
        while (reader.ReadString(line))
            lines.push_back(line.str());
    }
    ::DeleteFileW(path);
    return lines;
}

}  // namespace

TEST(StdioFile, LineFeedAndCarriageReturnLineFeedEndLines)
{
    EXPECT_EQ(ReadLines("a\r\n\r\nb\nc"), (std::vector<std::wstring>{L"a", L"", L"b", L"c"}));
}

TEST(StdioFile, LoneCarriageReturnAndCtrlZAreContent)
{
    EXPECT_EQ(ReadLines("x\ry\n\x1a" "z\n"), (std::vector<std::wstring>{L"x\ry", L"\x1a" L"z"}));
}

TEST(StdioFile, LinesAreDecodedAsUtf8)
{
    EXPECT_EQ(ReadLines("就绪 😀\r\nZoë 𠮷\n"), (std::vector<std::wstring>{L"就绪 😀", L"Zoë 𠮷"}));
}

TEST(StdioFile, FinalLineEndGivesNoExtraLine)
{
    EXPECT_EQ(ReadLines("one\n"), (std::vector<std::wstring>{L"one"}));
    EXPECT_TRUE(ReadLines("").empty());
}

TEST(StdioFile, LinesLongerThanTheBufferAreReadWhole)
{
    // The emoji's four bytes straddle the end of the first 64 KiB read: decoded whole all the same.
    const std::string longLine = std::string(65534, 'q') + "😀" + std::string(200000, 'q');
    auto lines = ReadLines(longLine + "\r\nend");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::wstring(65534, L'q') + L"😀" + std::wstring(200000, L'q'));
    EXPECT_EQ(lines[1], L"end");
}

TEST(StdioFile, MissingFileDoesNotOpen)
{
    CStdioFile reader;
    EXPECT_FALSE(reader.Open(L"C:\\no\\such\\file.txt", CStdioFile::modeRead));
    CString line;
    EXPECT_FALSE(reader.ReadString(line));
}
