// The descriptor's hex codec and its bounded field access.
#include "corelib/soft.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

TEST(SoftCodec, EncodesTextAsUtf16BigEndianUnitsEndedBy001E)
{
    EXPECT_EQ(SoftHexOfUnits(L"2.1028"), "0032002E0031003000320038001E");
    EXPECT_EQ(SoftHexOfUnits(L"software"), "0073006F006600740077006100720065001E");
    EXPECT_EQ(SoftHexOfUnits(L"tarnwick").size(), 36u);
    EXPECT_EQ(SoftHexOfUnits(L""), "001E");
    // Chinese text goes through UTF-16: 中 is U+4E2D.
    EXPECT_EQ(SoftHexOfUnits(L"中"), "4E2D001E");
    // A character beyond the basic plane is its two units.
    EXPECT_EQ(SoftHexOfUnits(L"😀"), "D83DDE00001E");
}

TEST(SoftCodec, EncodesBytesAsPairsEndedBy001E)
{
    EXPECT_EQ(SoftHexOfBytes(L"Mirelo"), "4D6972656C6F001E");
    // Code page 936 bytes whatever the system's code page: the same on an English Windows.
    EXPECT_EQ(SoftHexOfBytes(L"中文"), "D6D0CEC4001E");
}

TEST(SoftCodec, DecodesWhatItEncodes)
{
    CString text;
    ASSERT_TRUE(SoftUnitsOfHex("0032002E0031003000320038001E", &text));
    EXPECT_EQ(text, L"2.1028");
    ASSERT_TRUE(SoftUnitsOfHex(SoftHexOfUnits(L"tarnwick").c_str(), &text));
    EXPECT_EQ(text, L"tarnwick");
    ASSERT_TRUE(SoftUnitsOfHex("4e2d001e", &text));
    EXPECT_EQ(text, L"中");
    ASSERT_TRUE(SoftUnitsOfHex("D83DDE00001E", &text));
    EXPECT_EQ(text, L"😀");
    ASSERT_TRUE(SoftBytesOfHex("4D6972656C6F001E", &text));
    EXPECT_EQ(text, L"Mirelo");
    // The byte field is read as code page 936 too, so a Chinese name comes back on any system.
    ASSERT_TRUE(SoftBytesOfHex("D6D0CEC4001E", &text));
    EXPECT_EQ(text, L"中文");
    ASSERT_TRUE(SoftBytesOfHex(SoftHexOfBytes(L"中文名").c_str(), &text));
    EXPECT_EQ(text, L"中文名");
}

TEST(SoftCodec, RefusesTextThatIsNotSuchHex)
{
    CString text = L"unchanged";
    EXPECT_FALSE(SoftUnitsOfHex(nullptr, &text));
    EXPECT_FALSE(SoftUnitsOfHex("", &text));
    EXPECT_FALSE(SoftUnitsOfHex("00320033", &text));      // no terminator
    EXPECT_FALSE(SoftUnitsOfHex("003200001E", &text));    // not whole units
    EXPECT_FALSE(SoftUnitsOfHex("00G2001E", &text));      // not a digit
    EXPECT_FALSE(SoftUnitsOfHex("00000032001E", &text));  // a NUL unit
    EXPECT_FALSE(SoftBytesOfHex("4D6001E", &text));       // half a byte
    EXPECT_FALSE(SoftBytesOfHex("4D006F001E", &text));    // a NUL byte
    EXPECT_FALSE(SoftBytesOfHex("4D6F", &text));
    EXPECT_EQ(text, L"unchanged");
}

TEST(SoftFields, TextThatDoesNotFitLeavesTheFieldAlone)
{
    tagSoft soft;
    std::memset(&soft, 'X', sizeof(soft));
    // 51 bytes hold 50 digits and the terminator: 11 units and 001E are 48 digits, 12 are 52.
    EXPECT_TRUE(SoftSetField(soft.version, SoftHexOfUnits(L"12345678901")));
    EXPECT_FALSE(SoftSetField(soft.version, SoftHexOfUnits(L"123456789012")));
    std::string hex;
    ASSERT_TRUE(SoftFieldText(soft.version, &hex));
    EXPECT_EQ(hex, SoftHexOfUnits(L"12345678901"));
}

TEST(SoftFields, FieldWithoutTerminatorIsNotRead)
{
    tagSoft soft;
    std::memset(&soft, 'A', sizeof(soft));
    std::string hex = "unchanged";
    EXPECT_FALSE(SoftFieldText(soft.productName, &hex));
    EXPECT_EQ(hex, "unchanged");
}
