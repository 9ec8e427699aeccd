// CUniqueHandle: exactly one close for every handle taken, none for a handle given up.
#include "base/kernel_handles.h"
#include "base/unique_handle.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> g_closed;  // what the probe traits closed, in order

struct CProbeTraits {
    using Handle = int;
    static Handle Invalid() { return -1; }
    static bool IsValid(Handle handle) { return handle != -1; }
    static void Close(Handle handle) { g_closed.push_back(handle); }
};
using CProbeHandle = CUniqueHandle<CProbeTraits>;

}  // namespace

TEST(UniqueHandle, MovesOwnershipAndClosesEachHandleOnce)
{
    g_closed.clear();
    {
        CProbeHandle first(1);
        CProbeHandle second(std::move(first));
        EXPECT_FALSE(first.IsValid());
        EXPECT_EQ(second.Get(), 1);
        CProbeHandle third(3);
        third = std::move(second);  // 3 goes, 1 moves over
        EXPECT_EQ(g_closed, (std::vector<int>{3}));
        third = std::move(third);  // moving onto itself keeps the handle
        EXPECT_EQ(third.Get(), 1);
        *third.Put() = 4;  // an out-parameter: 1 goes first
        EXPECT_EQ(g_closed, (std::vector<int>{3, 1}));
        CProbeHandle given(5);
        EXPECT_EQ(given.Release(), 5);
        EXPECT_FALSE(given);
    }
    EXPECT_EQ(g_closed, (std::vector<int>{3, 1, 4})) << "5 was given up; 4 closed at the end of scope";
}

TEST(UniqueHandle, AFileThatCannotBeOpenedHoldsNothing)
{
    CFileHandle file = OpenFileForReading(L"no such folder\\no such file.txt");
    EXPECT_FALSE(file.IsValid());
    EXPECT_EQ(file.Get(), INVALID_HANDLE_VALUE);
}
