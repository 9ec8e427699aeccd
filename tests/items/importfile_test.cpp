// CImportFile on real files: line ends, encodings into code page 936, what is refused.
#include "items/importfile.h"

#include "tests/support/testdb.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct FileLines {
    CImportFile::OpenResult result = CImportFile::OpenResult::CannotOpen;
    TextEncoding encoding = TextEncoding::SystemCodePage;
    std::vector<std::string> lines;
};

std::string WriteBytes(const std::string& bytes)
{
    std::string path = testing_support::TestTempDir() + "input.txt";
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

FileLines ReadAll(const std::string& path)
{
    FileLines read;
    CImportFile file;
    read.result = file.Open(path.c_str());
    read.encoding = file.Encoding();
    CString line;
    while (read.result == CImportFile::OpenResult::Opened && file.ReadString(line))
        read.lines.push_back(line.str());
    return read;
}

FileLines ReadBytes(const std::string& bytes)
{
    return ReadAll(WriteBytes(bytes));
}

std::string Utf16Le(const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string Utf16Be(const std::u16string& text)
{
    std::string bytes = "\xFE\xFF";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ImportFile, CodePage936LinesAsTheyStand)
{
    FileLines read = ReadBytes("a\r\n\r\n  b \tc\n"
                               "中文\x1A"
                               "x\nlast");
    EXPECT_EQ(read.result, CImportFile::OpenResult::Opened);
    EXPECT_EQ(read.encoding, TextEncoding::SystemCodePage);
    EXPECT_EQ(read.lines, (Lines{"a", "", "  b \tc",
                                 "中文\x1A"
                                 "x",
                                 "last"}));
    EXPECT_EQ(ReadBytes("").lines, Lines{});
    EXPECT_EQ(ReadBytes("one\n").lines, Lines{"one"}) << "a final line end adds no line";
}

TEST(ImportFile, Utf8FilesAreConvertedAndTheMarkDropped)
{
    FileLines marked = ReadBytes(u8"\uFEFF你好\r\nwörld\n");
    EXPECT_EQ(marked.encoding, TextEncoding::Utf8WithMark);
    EXPECT_EQ(marked.lines, (Lines{"你好", "w?rld"})) << "U+00F6 has no code in 936";
    FileLines unmarked = ReadBytes(u8"第一行“引号”\n第二行…café");
    EXPECT_EQ(unmarked.encoding, TextEncoding::Utf8);
    EXPECT_EQ(unmarked.lines, (Lines{"第一行“引号”", "第二行…café"}));
    EXPECT_EQ(ReadBytes("\xEF\xBB\xBF").lines, Lines{""})
        << "the mark alone: one empty line, which an import skips";
    EXPECT_EQ(ReadBytes(u8"\uFEFFa\U0001F600b\n"
                        "\xFF"
                        "c")
                  .lines,
              (Lines{"a?b", "?c"}))
        << "one ? per character 936 cannot hold, and one per malformed byte";
}

TEST(ImportFile, Utf16FilesWithTheirMarkSplitOnCharactersNotBytes)
{
    // U+0A0D holds the byte 0A: it must not end a line.
    std::u16string text = u"你好\r\n\u0A0D\n\nb\U0001F600";
    FileLines little = ReadBytes(Utf16Le(text));
    EXPECT_EQ(little.encoding, TextEncoding::Utf16LeWithMark);
    EXPECT_EQ(little.lines, (Lines{"你好", "?", "", "b?"}));
    FileLines big = ReadBytes(Utf16Be(text));
    EXPECT_EQ(big.encoding, TextEncoding::Utf16BeWithMark);
    EXPECT_EQ(big.lines, little.lines);
    EXPECT_EQ(ReadBytes(Utf16Le(u"ab") + "x").lines, Lines{"ab?"}) << "a dangling odd byte";
    EXPECT_EQ(ReadBytes("\xFF\xFE").lines, Lines{});
}

TEST(ImportFile, NulAndUnreadableFilesAreRefused)
{
    EXPECT_EQ(ReadBytes(std::string("ab\0cd\n", 6)).result, CImportFile::OpenResult::NotText);
    EXPECT_EQ(ReadBytes(Utf16Le(std::u16string(u"a\0b", 3))).result, CImportFile::OpenResult::NotText);
    std::string missing = testing_support::TestTempDir() + "missing.txt";
    EXPECT_EQ(ReadAll(missing).result, CImportFile::OpenResult::CannotOpen);
    EXPECT_EQ(ReadAll(testing_support::TestTempDir()).result, CImportFile::OpenResult::CannotOpen)
        << "a folder";
}

TEST(ImportFile, LinesOfAnyLength)
{
    std::string longLine(300000, 'x');
    longLine[150000] = '\'';
    FileLines read = ReadBytes(longLine + "\r\n" + longLine);
    ASSERT_EQ(read.lines.size(), 2u);
    EXPECT_EQ(read.lines[0], longLine);
    EXPECT_EQ(read.lines[1], longLine);
}
