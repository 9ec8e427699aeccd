// The platform the program is built for: the system code page the test script plays, UTF-16 and
// UTF-8 literals, and a process of the architecture this program was compiled for.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

TEST(Platform, SystemCodePageIsTheOneTheTestScriptAskedFor)
{
    // MIRELO_CODEPAGE picks the Windows the suite plays (936 when it is not set); a suite that ran
    // as the wrong one would pass without testing what it claims.
    const char* asked = std::getenv("MIRELO_CODEPAGE");
    const unsigned expected = asked && *asked ? static_cast<unsigned>(std::atoi(asked)) : 936u;
    EXPECT_EQ(::GetACP(), expected);
}

TEST(Platform, WideLiteralsAreUtf16AndNarrowOnesUtf8)
{
    const wchar_t* ready = L"就绪😀";
    ASSERT_EQ(std::wcslen(ready), 4u);
    EXPECT_EQ(std::wmemcmp(ready, L"\x5C31\x7EEA\xD83D\xDE00", 4), 0);
    const char* bytes = "就绪";
    ASSERT_EQ(std::strlen(bytes), 6u);
    EXPECT_EQ(std::memcmp(bytes, "\xE5\xB0\xB1\xE7\xBB\xAA", 6), 0);
}

TEST(Platform, TheProcessRunsAsTheArchitectureItWasBuiltFor)
{
    // The loaded image's own header says which machine it is for; pointers must match it.
    const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleW(nullptr));
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
