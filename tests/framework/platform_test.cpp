// The platform the program runs on: code page 936, and a process of the architecture this program
// was compiled for. (That literals are GBK bytes and pointers fit LPARAM are compile-time truths,
// asserted where the product relies on them.)
#include <gtest/gtest.h>
#include <windows.h>

TEST(Platform, SystemCodePageIs936)
{
    EXPECT_EQ(::GetACP(), 936u);
}

TEST(Platform, TheProcessRunsAsTheArchitectureItWasBuiltFor)
{
    // The loaded image's own header says which machine it is for.
    const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
#ifdef _WIN64
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
#else
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
#endif
}
