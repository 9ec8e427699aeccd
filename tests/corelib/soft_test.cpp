// The descriptor's hex codec and its bounded field access.
#include "corelib/soft.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

TEST(SoftCodec, EncodesTextAsUtf16BigEndianUnitsEndedBy001E)
{
    EXPECT_EQ(SoftHexOfUnits("2.1028"), "0032002E0031003000320038001E");
    EXPECT_EQ(SoftHexOfUnits("software"), "0073006F006600740077006100720065001E");
    EXPECT_EQ(SoftHexOfUnits("tarnwick").GetLength(), 36);
    EXPECT_EQ(SoftHexOfUnits(""), "001E");
    // Chinese text goes through UTF-16: 中 is U+4E2D.
    EXPECT_EQ(SoftHexOfUnits("中"), "4E2D001E");
}

TEST(SoftCodec, EncodesBytesAsPairsEndedBy001E)
{
    EXPECT_EQ(SoftHexOfBytes("Mirelo"), "4D6972656C6F001E");
    EXPECT_EQ(SoftHexOfBytes("中文"), "D6D0CEC4001E");
}

TEST(SoftCodec, DecodesWhatItEncodes)
{
    CString text;
    ASSERT_TRUE(SoftUnitsOfHex("0032002E0031003000320038001E", &text));
    EXPECT_EQ(text, "2.1028");
    ASSERT_TRUE(SoftUnitsOfHex(SoftHexOfUnits("tarnwick"), &text));
    EXPECT_EQ(text, "tarnwick");
    ASSERT_TRUE(SoftUnitsOfHex("4e2d001e", &text));
    EXPECT_EQ(text, "中");
    ASSERT_TRUE(SoftBytesOfHex("4D6972656C6F001E", &text));
    EXPECT_EQ(text, "Mirelo");
    ASSERT_TRUE(SoftBytesOfHex(SoftHexOfBytes("中文名"), &text));
    EXPECT_EQ(text, "中文名");
}

TEST(SoftCodec, RefusesTextThatIsNotSuchHex)
{
    CString text = "unchanged";
    EXPECT_FALSE(SoftUnitsOfHex(nullptr, &text));
    EXPECT_FALSE(SoftUnitsOfHex("", &text));
    EXPECT_FALSE(SoftUnitsOfHex("00320033", &text));      // no terminator
    EXPECT_FALSE(SoftUnitsOfHex("003200001E", &text));    // not whole units
    EXPECT_FALSE(SoftUnitsOfHex("00G2001E", &text));      // not a digit
    EXPECT_FALSE(SoftUnitsOfHex("00000032001E", &text));  // a NUL unit
    EXPECT_FALSE(SoftBytesOfHex("4D6001E", &text));       // half a byte
    EXPECT_FALSE(SoftBytesOfHex("4D006F001E", &text));    // a NUL byte
    EXPECT_FALSE(SoftBytesOfHex("4D6F", &text));
    EXPECT_EQ(text, "unchanged");
}

TEST(SoftFields, TextThatDoesNotFitLeavesTheFieldAlone)
{
    tagSoft soft;
    std::memset(&soft, 'X', sizeof(soft));
    // 51 bytes hold 50 digits and the terminator: 11 units and 001E are 48 digits, 12 are 52.
    EXPECT_TRUE(SoftSetField(soft.version, SoftHexOfUnits("12345678901")));
    EXPECT_FALSE(SoftSetField(soft.version, SoftHexOfUnits("123456789012")));
    CString hex;
    ASSERT_TRUE(SoftFieldText(soft.version, &hex));
    EXPECT_EQ(hex, SoftHexOfUnits("12345678901"));
}

TEST(SoftFields, FieldWithoutTerminatorIsNotRead)
{
    tagSoft soft;
    std::memset(&soft, 'A', sizeof(soft));
    CString hex = "unchanged";
    EXPECT_FALSE(SoftFieldText(soft.productName, &hex));
    EXPECT_EQ(hex, "unchanged");
}
