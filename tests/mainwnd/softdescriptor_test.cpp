// The software descriptor: each text at its offset, terminated, the rest of its field untouched.
#include "mainwnd/softdescriptor.h"

#include "res/version.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <string>

namespace {

constexpr unsigned char kUntouched = 0xCC;

struct Field {
    size_t offset;
    size_t width;
    std::string text;
};

// ASCII text as UTF-16BE units in hex digits, then the terminator unit 001E.
std::string UnitsHex(const char* ascii)
{
    std::string hex;
    for (; *ascii; ++ascii) {
        char unit[8];
        std::snprintf(unit, sizeof(unit), "%04X", static_cast<unsigned char>(*ascii));
        hex += unit;
    }
    return hex + "001E";
}

const Field kFields[] = {
    {0, 51, UnitsHex(MIRELO_VERSION_TEXT)},              // the version
    {51, 101, "007400610072006E007700690063006B001E"},    // product id tarnwick
    {152, 101, "0073006F006600740077006100720065001E"},   // product type software
    {253, 101, "4D6972656C6F001E"},                       // display name Mirelo, bytes
};

TEST(SoftDescriptor, EachTextSitsAtItsOffsetAndLeavesTheRestOfItsFieldAsAllocated)
{
    unsigned char block[sizeof(tagSoft)];
    std::memset(block, kUntouched, sizeof(block));
    FillSoftDescriptor(*reinterpret_cast<tagSoft*>(block));

    size_t covered = 0;
    for (const Field& field : kFields) {
        SCOPED_TRACE(field.offset);
        size_t length = field.text.size();
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(block + field.offset), length), field.text);
        EXPECT_EQ(block[field.offset + length], '\0');
        for (size_t i = field.offset + length + 1; i < field.offset + field.width; ++i)
            ASSERT_EQ(block[i], kUntouched) << "byte " << i;
        covered += field.width;
    }
    EXPECT_EQ(covered, 354u);
}

}  // namespace
