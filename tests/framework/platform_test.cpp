// The platform the program runs on: the system code page the test script plays, and a process of
// the architecture this program was compiled for. (That pointers fit LPARAM is a compile-time
// truth, asserted where the product relies on it.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

TEST(Platform, SystemCodePageIsTheOneTheTestScriptAskedFor)
{
    // MIRELO_CODEPAGE picks the Windows the suite plays (936 when it is not set); a suite that ran
    // as the wrong one would pass without testing what it claims.
    const char* asked = std::getenv("MIRELO_CODEPAGE");
    const unsigned expected = asked && *asked ? static_cast<unsigned>(std::atoi(asked)) : 936u;
    EXPECT_EQ(::GetACP(), expected);
}

TEST(Platform, TheProcessRunsAsTheArchitectureItWasBuiltFor)
{
    // The loaded image's own header says which machine it is for.
    const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
#ifdef _WIN64
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
#else
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
#endif
}
