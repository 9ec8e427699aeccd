// CStdioFile: line ends, the last line, long lines and bytes that are content.
#include "framework/stdiofile.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::string& bytes)
{
    char path[MAX_PATH];
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    ::GetTempFileNameA(folder, "lin", 0, path);
    FILE* file = std::fopen(path, "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    std::vector<std::string> lines;
    {
        CStdioFile reader;
        EXPECT_TRUE(reader.Open(path, CStdioFile::modeRead | CStdioFile::typeText));
        CString line;
        while (reader.ReadString(line))
            lines.push_back(line.str());
    }
    ::DeleteFileA(path);
    return lines;
}

}  // namespace

TEST(StdioFile, LineFeedAndCarriageReturnLineFeedEndLines)
{
    EXPECT_EQ(ReadLines("a\r\n\r\nb\nc"), (std::vector<std::string>{"a", "", "b", "c"}));
}

TEST(StdioFile, LoneCarriageReturnAndCtrlZAreContent)
{
    EXPECT_EQ(ReadLines("x\ry\n\x1a" "z\n"), (std::vector<std::string>{"x\ry", "\x1az"}));
}

TEST(StdioFile, FinalLineEndGivesNoExtraLine)
{
    EXPECT_EQ(ReadLines("one\n"), (std::vector<std::string>{"one"}));
    EXPECT_TRUE(ReadLines("").empty());
}

TEST(StdioFile, LinesLongerThanTheBufferAreReadWhole)
{
    std::string longLine(200000, 'q');
    auto lines = ReadLines(longLine + "\r\nend");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], longLine);
    EXPECT_EQ(lines[1], "end");
}

TEST(StdioFile, MissingFileDoesNotOpen)
{
    CStdioFile reader;
    EXPECT_FALSE(reader.Open("C:\\no\\such\\file.txt", CStdioFile::modeRead));
    CString line;
    EXPECT_FALSE(reader.ReadString(line));
}
