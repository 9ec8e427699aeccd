// CTextSniffer: which files are UTF-8, UTF-16 with a mark, code page 936 or not text at all.
#include "items/textsniffer.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TextEncoding Sniff(const std::string& bytes)
{
    CTextSniffer sniffer;
    sniffer.Feed(bytes.data(), bytes.size());
    return sniffer.Result();
}

// The same bytes fed one at a time: marks and sequences split across pieces.
TextEncoding SniffByteByByte(const std::string& bytes)
{
    CTextSniffer sniffer;
    for (char byte : bytes)
        sniffer.Feed(&byte, 1);
    return sniffer.Result();
}

}  // namespace

TEST(TextSniffer, UnmarkedUtf8OnlyWhenStrictAndInTextRanges)
{
    EXPECT_EQ(Sniff(u8"你好，世界！“引号”…café、。"), TextEncoding::Utf8);
    EXPECT_EQ(Sniff("plain ASCII only\r\n"), TextEncoding::SystemCodePage) << "needs a non-ASCII character";
    EXPECT_EQ(Sniff(""), TextEncoding::SystemCodePage);
    // 模 in code page 936 is C4 A3, which UTF-8 reads as U+0123: out of range, so 936.
    EXPECT_EQ(Sniff("模"), TextEncoding::SystemCodePage);
    EXPECT_EQ(Sniff("\xC4\xA3"), TextEncoding::SystemCodePage);
    EXPECT_EQ(Sniff("你好，世界"), TextEncoding::SystemCodePage);
    EXPECT_EQ(Sniff(u8"a\U0001F600b"), TextEncoding::SystemCodePage) << "an emoji is outside the ranges";
    EXPECT_EQ(Sniff("\xC2\x85"), TextEncoding::SystemCodePage) << "C1 controls are not Latin-1 text";
}

TEST(TextSniffer, MalformedUtf8IsCodePage936)
{
    EXPECT_EQ(Sniff("\xC0\x80"), TextEncoding::SystemCodePage) << "overlong NUL";
    EXPECT_EQ(Sniff("\xE0\x80\xAF"), TextEncoding::SystemCodePage) << "overlong slash";
    EXPECT_EQ(Sniff("\xED\xA0\x80"), TextEncoding::SystemCodePage) << "a surrogate";
    EXPECT_EQ(Sniff("\xF4\x90\x80\x80"), TextEncoding::SystemCodePage) << "past U+10FFFF";
    EXPECT_EQ(Sniff(u8"中"
                    "\xE6\x96"),
              TextEncoding::SystemCodePage)
        << "cut off at the end";
    EXPECT_EQ(Sniff("\xE4"
                    "a"
                    "\xAD"),
              TextEncoding::SystemCodePage)
        << "continuation missing";
}

TEST(TextSniffer, MarksDecideAndNulBytesMeanNotText)
{
    EXPECT_EQ(Sniff("\xEF\xBB\xBF"
                    "abc"),
              TextEncoding::Utf8WithMark);
    EXPECT_EQ(Sniff("\xEF\xBB\xBF"
                    "\xC4\xA3"),
              TextEncoding::Utf8WithMark);
    EXPECT_EQ(Sniff(std::string("\xFF\xFE"
                                "a\0b\0",
                                6)),
              TextEncoding::Utf16LeWithMark);
    EXPECT_EQ(Sniff(std::string("\xFE\xFF\0a\0b", 6)), TextEncoding::Utf16BeWithMark);
    EXPECT_EQ(Sniff(std::string("a\0b\0", 4)), TextEncoding::NotText) << "UTF-16 without its mark";
    EXPECT_EQ(Sniff(std::string("text\0more", 9)), TextEncoding::NotText);
    EXPECT_EQ(Sniff(std::string("\xEF\xBB\xBF"
                                "a\0",
                                5)),
              TextEncoding::NotText);
    EXPECT_EQ(Sniff("\x1A"
                    "a"),
              TextEncoding::SystemCodePage)
        << "0x1A is content";
}

TEST(TextSniffer, PiecesGiveTheSameAnswerAsTheWhole)
{
    for (const std::string& bytes : {std::string(u8"中文“标点”"),
                                     std::string("\xEF\xBB\xBF"
                                                 "x"),
                                     std::string("\xFF\xFE"
                                                 "a\0",
                                                 4),
                                     std::string("模型"), std::string("a\0", 2)}) {
        EXPECT_EQ(SniffByteByByte(bytes), Sniff(bytes));
    }
}

TEST(TextSniffer, SettledOnceNulOrUtf16MarkIsSeen)
{
    CTextSniffer sniffer;
    sniffer.Feed("ab", 2);
    EXPECT_FALSE(sniffer.Settled());
    sniffer.Feed("\0", 1);
    EXPECT_TRUE(sniffer.Settled());

    CTextSniffer marked;
    marked.Feed("\xFF", 1);
    EXPECT_FALSE(marked.Settled());
    marked.Feed("\xFE", 1);
    EXPECT_TRUE(marked.Settled());
}
