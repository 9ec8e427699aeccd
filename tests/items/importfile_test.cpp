// Reading import files: which encoding a file is taken in, line ends, conversion into code page
// 936, and the files that are refused.
#include "items/importfile.h"
#include "items/textsniffer.h"

#include "tests/support/testdb.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct FileLines {
    CImportFile::OpenResult result = CImportFile::OpenResult::CannotOpen;
    Lines lines;
};

FileLines ReadPath(const std::string& path)
{
    FileLines read;
    CImportFile file;
    read.result = file.Open(path.c_str());
    CString line;
    while (read.result == CImportFile::OpenResult::Opened && file.ReadString(line))
        read.lines.push_back(line.str());
    return read;
}

FileLines ReadBytes(const std::string& bytes)
{
    std::string path = testing_support::TestTempDir() + "input.txt";
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return ReadPath(path);
}

std::string Utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TextEncoding Sniff(const std::string& bytes, bool byteByByte = false)
{
    CTextSniffer sniffer;
    for (size_t i = 0; i < bytes.size(); i += byteByByte ? 1 : bytes.size())
        sniffer.Feed(bytes.data() + i, byteByByte ? 1 : bytes.size());
    return sniffer.Result();
}

}  // namespace

TEST(ImportFile, EncodingIsTakenFromTheMarkOrFromStrictUtf8UnlessShortAnd936Too)
{
    const std::vector<std::pair<std::string, TextEncoding>> cases = {
        {u8"你好，世界！“引号”…café、。", TextEncoding::Utf8},
        {"ASCII only", TextEncoding::SystemCodePage},     // needs a non-ASCII character
        {"模", TextEncoding::SystemCodePage},             // C4 A3 is U+0123 in UTF-8: out of range
        {"你好，世界", TextEncoding::SystemCodePage},     // not UTF-8 at all
        {u8"a\U0001F600", TextEncoding::SystemCodePage},  // F0 9F 98 80: two 936 characters, too short
        {u8"Привет", TextEncoding::Utf8},                 // well-formed 936 as well, but six characters
        {u8"こんにちは", TextEncoding::Utf8},
        {u8"Да", TextEncoding::SystemCodePage},              // two 936 characters as well: too short to tell
        {u8"Дав", TextEncoding::SystemCodePage},             // three: still too short
        {u8"Дава", TextEncoding::Utf8},                      // four: sure
        {u8"こ", TextEncoding::Utf8},                        // E3 81 93: a 936 character and a lone lead byte
        {"\xD0\xA1\xCB\xB5", TextEncoding::SystemCodePage},  // 小说 in 936, U+0421 U+02F5 in UTF-8
        {"\xC2\x85", TextEncoding::SystemCodePage},          // C1 controls are not Latin-1 text
        {"\xC0\x80", TextEncoding::SystemCodePage},          // overlong
        {"\xED\xA0\x80", TextEncoding::SystemCodePage},      // a surrogate
        {u8"中\xE6\x96", TextEncoding::SystemCodePage},      // cut off at the end
        {"\xEF\xBB\xBF\xC4\xA3", TextEncoding::Utf8WithMark},
        {std::string("\xFF\xFE"
                     "a\0",
                     4),
         TextEncoding::Utf16LeWithMark},
        {std::string("\xFE\xFF\0a", 4), TextEncoding::Utf16BeWithMark},
        {std::string("a\0b\0", 4), TextEncoding::NotText},  // UTF-16 without its mark
        {std::string("\xEF\xBB\xBF"
                     "a\0",
                     5),
         TextEncoding::NotText},
        {"\x1A", TextEncoding::SystemCodePage},
    };
    for (const auto& [bytes, encoding] : cases) {
        EXPECT_EQ(Sniff(bytes), encoding) << bytes;
        EXPECT_EQ(Sniff(bytes, true), encoding) << "fed byte by byte: " << bytes;
    }
}

TEST(ImportFile, LinesEndAtLineFeedsWithOrWithoutCarriageReturnAndMayBeLong)
{
    std::string longLine(300000, 'x');
    longLine[150000] = '\'';
    EXPECT_EQ(ReadBytes("a\r\n\r\n  b \tc\n中文\x1A"
                        "x\n" +
                        longLine + "\r\nlast")
                  .lines,
              (Lines{"a", "", "  b \tc",
                     "中文\x1A"
                     "x",
                     longLine, "last"}));
    EXPECT_EQ(ReadBytes("").lines, Lines{});
    EXPECT_EQ(ReadBytes("one\n").lines, Lines{"one"}) << "a final line end adds no line";
}

TEST(ImportFile, UnicodeFilesAreConvertedWithAQuestionMarkFor936Gaps)
{
    EXPECT_EQ(ReadBytes(u8"\uFEFF你好\r\nw\u00F6rld\n").lines, (Lines{"你好", "w?rld"}));
    EXPECT_EQ(ReadBytes(u8"第一行“引号”\n第二行…café").lines, (Lines{"第一行“引号”", "第二行…café"}));
    EXPECT_EQ(ReadBytes(u8"\uFEFFa\U0001F600b\n\xFF"
                        "c")
                  .lines,
              (Lines{"a?b", "?c"}))
        << "one ? per character, a malformed byte included";
    // U+0A0D holds the byte 0A: in UTF-16 it must not end a line.
    std::u16string text = u"你好\r\n\u0A0D\n\nb\U0001F600";
    Lines expected = {"你好", "?", "", "b?"};
    EXPECT_EQ(ReadBytes(Utf16(text, false)).lines, expected);
    EXPECT_EQ(ReadBytes(Utf16(text, true)).lines, expected);
    EXPECT_EQ(ReadBytes(Utf16(u"ab", false) + "x").lines, Lines{"ab?"}) << "a dangling odd byte";
    for (bool bigEndian : {false, true}) {
        FileLines markOnly = ReadBytes(Utf16(u"", bigEndian));
        EXPECT_EQ(markOnly.result, CImportFile::OpenResult::Opened) << "a UTF-16 file holding only its mark";
        EXPECT_EQ(markOnly.lines, Lines{});
    }
    // The whole file is sniffed, not its first 64 KiB read.
    const std::string firstChunk = std::string(64 * 1024 - 1, 'x') + "\n";
    EXPECT_EQ(ReadBytes(firstChunk + u8"你好").lines, (Lines{firstChunk.substr(0, 64 * 1024 - 1), "你好"}));
}

TEST(ImportFile, NulCharactersAndUnreadablePathsAreRefused)
{
    EXPECT_EQ(ReadBytes(std::string("ab\0cd\n", 6)).result, CImportFile::OpenResult::NotText);
    EXPECT_EQ(ReadBytes(Utf16(std::u16string(u"a\0b", 3), false)).result, CImportFile::OpenResult::NotText);
    EXPECT_EQ(ReadBytes(std::string(64 * 1024, 'x') + std::string("\0", 1)).result,
              CImportFile::OpenResult::NotText)
        << "a NUL byte only after the first 64 KiB";
    std::string folder = testing_support::TestTempDir();
    EXPECT_EQ(ReadPath(folder + "missing.txt").result, CImportFile::OpenResult::CannotOpen);
    EXPECT_EQ(ReadPath(folder).result, CImportFile::OpenResult::CannotOpen) << "a folder";
}
