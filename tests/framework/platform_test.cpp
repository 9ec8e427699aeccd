// The platform the program is built for: code page 936, Chinese texts as GBK bytes, and a process of
// the architecture this program was compiled for.
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

TEST(Platform, TheProcessRunsAsTheArchitectureItWasBuiltFor)
{
    // The loaded image's own header says which machine it is for; pointers must match it.
    const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
#ifdef _WIN64
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(sizeof(void*), 8u);
#else
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(sizeof(void*), 4u);
#endif
    EXPECT_EQ(sizeof(LONG_PTR), sizeof(void*));
    EXPECT_EQ(sizeof(LPARAM), sizeof(void*));
}
