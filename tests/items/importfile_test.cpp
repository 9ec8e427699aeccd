// Reading import files: which encoding a file is taken in, line ends, decoding into UTF-16 with
// every character kept, and the files that are refused.
#include "base/text_codec.h"
#include "items/importfile.h"
#include "items/textsniffer.h"

#include "tests/support/testdb.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

struct FileLines {
    CImportFile::OpenResult result = CImportFile::OpenResult::CannotOpen;
    Lines lines;
};

FileLines ReadPath(const std::wstring& path)
{
    FileLines read;
    CImportFile file;
    read.result = file.Open(path.c_str());
    CString line;
    while (read.result == CImportFile::OpenResult::Opened && file.ReadString(line))
        read.lines.push_back(line.str());
    if (read.result == CImportFile::OpenResult::Opened)
        read.result = file.Failure();  // found further on
    return read;
}

FileLines ReadBytes(const std::string& bytes)
{
    std::wstring path = testing_support::TestTempDir() + L"input.txt";
    std::ofstream(path.c_str(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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

TEST(ImportFile, EncodingIsTakenFromTheMarkOrFromStrictUtf8UnlessShortAndSystemCodePageTextToo)
{
    const UINT codePage = ::GetACP();
    ASSERT_TRUE(codePage == 936 || codePage == 1252)
        << "the rows know code pages 936 and 1252, not " << codePage;
    const TextEncoding local = TextEncoding::SystemCodePage;
    const TextEncoding utf8 = TextEncoding::Utf8;
    // Narrow literals are UTF-8: code page 936 bytes are written as escapes.
    struct Case {
        std::string bytes;
        TextEncoding on936;
        TextEncoding on1252;
        const char* why;
    };
    const Case cases[] = {
        {u8"你好，世界！“引号”…café、。", utf8, utf8, "usual text ranges"},
        {"ASCII only", local, local, "needs a non-ASCII character"},
        {"\xC4\xA3", local, local, "模 in 936; U+0123 in UTF-8: out of range, and code page text too"},
        {"\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7", local, local, "你好，世界 in 936: not UTF-8 at all"},
        {u8"a\U0001F600", utf8, utf8, "an emoji is usual text"},
        {u8"Привет", utf8, utf8, "code page text as well, but six characters"},
        {u8"こんにちは", utf8, utf8, "five characters"},
        {u8"Да", local, local, "D0 94 D0 B0: code page text as well, too short to tell"},
        {u8"Дав", local, local, "three such characters: still too short"},
        {u8"Дава", utf8, utf8, "four: sure"},
        {u8"こ", utf8, local, "E3 81 93: in 936 a character and a lone lead byte; in 1252 three characters"},
        {"\xD0\xA1\xCB\xB5", local, local, "小说 in 936, U+0421 U+02F5 in UTF-8"},
        {"\xC2\x85", local, local, "C1 controls are not Latin-1 text"},
        {"\xC0\x80", local, local, "overlong"},
        {"\xED\xA0\x80", local, local, "a surrogate"},
        {u8"中\xE6\x96", local, local, "cut off at the end"},
        {"caf\xE9", local, local, "café in 1252: E9 starts a UTF-8 sequence that never comes"},
        {"\xEF\xBB\xBF\xC4\xA3", TextEncoding::Utf8WithMark, TextEncoding::Utf8WithMark, "the UTF-8 mark"},
        {std::string("\xFF\xFE"
                     "a\0",
                     4),
         TextEncoding::Utf16LeWithMark, TextEncoding::Utf16LeWithMark, "the UTF-16LE mark"},
        {std::string("\xFE\xFF\0a", 4), TextEncoding::Utf16BeWithMark, TextEncoding::Utf16BeWithMark,
         "the UTF-16BE mark"},
        {std::string("a\0b\0", 4), TextEncoding::NotText, TextEncoding::NotText, "UTF-16 without its mark"},
        {std::string("\xEF\xBB\xBF"
                     "a\0",
                     5),
         TextEncoding::NotText, TextEncoding::NotText, "a NUL after the UTF-8 mark"},
        {"\x1A", local, local, "ASCII, a control character included"},
    };
    for (const Case& c : cases) {
        const TextEncoding expected = codePage == 936 ? c.on936 : c.on1252;
        EXPECT_EQ(Sniff(c.bytes), expected) << c.why;
        EXPECT_EQ(Sniff(c.bytes, true), expected) << "fed byte by byte: " << c.why;
    }
}

TEST(ImportFile, LinesEndAtLineFeedsWithOrWithoutCarriageReturnAndMayBeLong)
{
    std::string longLine(300000, 'x');
    longLine[150000] = '\'';
    std::wstring longLineRead(300000, L'x');
    longLineRead[150000] = L'\'';
    EXPECT_EQ(ReadBytes("a\r\n\r\n  b \tc\n中文\x1A"
                        "x\n" +
                        longLine + "\r\nlast")
                  .lines,
              (Lines{L"a", L"", L"  b \tc",
                     L"中文\x1A"
                     L"x",
                     longLineRead, L"last"}));
    EXPECT_EQ(ReadBytes("").lines, Lines{});
    EXPECT_EQ(ReadBytes("one\n").lines, Lines{L"one"}) << "a final line end adds no line";

    // Far into a file of more units than a 32-bit size_t counts in thousandths, the progress holds.
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += std::string(999, 'x') + "\n";
    const std::wstring path = testing_support::TestTempDir() + L"many.txt";
    std::ofstream(path.c_str(), std::ios::binary)
        .write(many.data(), static_cast<std::streamsize>(many.size()));
    CImportFile file;
    ASSERT_EQ(file.Open(path.c_str()), CImportFile::OpenResult::Opened);
    CString line;
    for (int i = 0; i < 4600; ++i)
        ASSERT_TRUE(file.ReadString(line));
    EXPECT_NEAR(file.PermilleRead(), 920, 1);
}

TEST(ImportFile, EveryEncodingIsDecodedKeepingEveryCharacter)
{
    // U+0A0D holds the byte 0A: in UTF-16 it must not end a line.
    const std::u16string utf16 = u"你好\r\n\u0A0D\n\nb\U0001F600𠮷";
    const Lines utf16Lines = {L"你好", L"\u0A0D", L"", L"b😀𠮷"};
    // A text the system code page holds: 936 or 1252 (the sniffing rows check which it is).
    const std::wstring local = ::GetACP() == 936 ? L"你好，世界" : L"café ½";
    struct Case {
        std::string bytes;
        Lines lines;
        const char* why;
    };
    const Case cases[] = {
        {u8"\uFEFF你好\r\nw\u00F6rld\n", {L"你好", L"wörld"}, "UTF-8 with its mark"},
        {u8"第一行“引号”😀\n第二行…café 𠮷", {L"第一行“引号”😀", L"第二行…café 𠮷"}, "UTF-8 without a mark"},
        {u8"\uFEFFa\U0001F600b\n\xFF"
         "c",
         {L"a😀b", L"\xFFFD"
                  L"c"},
         "a malformed byte is U+FFFD"},
        {Utf16(utf16, false), utf16Lines, "UTF-16LE"},
        {Utf16(utf16, true), utf16Lines, "UTF-16BE"},
        {Utf16(u"ab", false) + "x", {L"ab\xFFFD"}, "a dangling odd byte is U+FFFD"},
        {u8"\uFEFF\uFEFFa\n\uFEFFb", {L"a", L"\uFEFFb"}, "a mark written twice is one; one later is text"},
        {testing_support::InSystemCodePage(local) + "\r\nend",
         {local, L"end"},
         "neither marked nor UTF-8: the system code page"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadBytes(c.bytes).lines, c.lines) << c.why;
    // The file is read in pieces of 64 KiB: at each shift another byte of a character (or another
    // unit of a pair) is the first piece's last, and every character comes back whole.
    for (size_t shift = 1; shift <= 4; ++shift) {
        SCOPED_TRACE("shift " + std::to_string(shift));
        const std::wstring pad(64 * 1024 - shift, L'x');
        const std::wstring text = L"😀中\r\nb";
        EXPECT_EQ(ReadBytes(WideToUtf8(pad + text)).lines, (Lines{pad + L"😀中", L"b"})) << "UTF-8";
        EXPECT_EQ(ReadBytes("\xEF\xBB\xBF" + WideToUtf8(pad + text)).lines, (Lines{pad + L"😀中", L"b"}))
            << "UTF-8 with its mark";
        const std::u16string pad16(32 * 1024 - shift, u'x');
        EXPECT_EQ(ReadBytes(Utf16(pad16 + u"😀\r\nb", shift % 2 == 0)).lines,
                  (Lines{std::wstring(pad16.size(), L'x') + L"😀", L"b"}))
            << "UTF-16";
        EXPECT_EQ(ReadBytes(testing_support::InSystemCodePage(pad + local + L"\r\nb")).lines,
                  (Lines{pad + local, L"b"}))
            << "the system code page";
    }
    // The whole file decides, not its first 64 KiB.
    const std::string firstChunk = std::string(64 * 1024 - 1, 'x') + "\n";
    EXPECT_EQ(ReadBytes(firstChunk + u8"你好").lines, (Lines{std::wstring(64 * 1024 - 1, L'x'), L"你好"}));
    for (bool bigEndian : {false, true}) {
        FileLines markOnly = ReadBytes(Utf16(u"", bigEndian));
        EXPECT_EQ(markOnly.result, CImportFile::OpenResult::Opened) << "a UTF-16 file holding only its mark";
        EXPECT_EQ(markOnly.lines, Lines{});
    }
}

TEST(ImportFile, NulCharactersAndUnreadablePathsAreRefused)
{
    EXPECT_EQ(ReadBytes(std::string("ab\0cd\n", 6)).result, CImportFile::OpenResult::NotText);
    EXPECT_EQ(ReadBytes(Utf16(std::u16string(u"a\0b", 3), false)).result, CImportFile::OpenResult::NotText);
    EXPECT_EQ(ReadBytes(std::string(64 * 1024, 'x') + std::string("\0", 1)).result,
              CImportFile::OpenResult::NotText)
        << "a NUL byte only after the first 64 KiB";
    EXPECT_EQ(ReadBytes("\xC4\xE3" + std::string(64 * 1024, 'x') + std::string("\0", 1)).result,
              CImportFile::OpenResult::NotText)
        << "and after the first 64 KiB of code page text, which told its encoding";
    std::wstring folder = testing_support::TestTempDir();
    EXPECT_EQ(ReadPath(folder + L"missing.txt").result, CImportFile::OpenResult::CannotOpen);
    EXPECT_EQ(ReadPath(folder).result, CImportFile::OpenResult::CannotOpen) << "a folder";
}
