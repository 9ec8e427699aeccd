// The platform the program is built for: code page 936, 32-bit, Chinese texts as GBK bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

TEST(Platform, SystemCodePageIs936)
{
    EXPECT_EQ(::GetACP(), 936u);
}

TEST(Platform, ChineseLiteralsAreCodePage936Bytes)
{
    const char* ready = "就绪";
    ASSERT_EQ(std::strlen(ready), 4u);
    EXPECT_EQ(std::memcmp(ready, "\xbe\xcd\xd0\xf7", 4), 0);
}

TEST(Platform, PointersAre32Bit)
{
    EXPECT_EQ(sizeof(void*), 4u);
}
