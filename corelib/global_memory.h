// CGlobalMemory: owner of a movable global memory block until it is handed to the system.
#pragma once

#include <cstddef>
#include <windows.h>

class CGlobalMemory {
public:
    CGlobalMemory() = default;
    // A block holding a copy of size bytes at data; empty (no handle) when allocation fails.
    CGlobalMemory(const void* data, size_t size);
    ~CGlobalMemory();
    CGlobalMemory(const CGlobalMemory&) = delete;
    CGlobalMemory& operator=(const CGlobalMemory&) = delete;

    HGLOBAL Get() const { return m_hMemory; }
    // Gives up ownership, for a taker that frees the block itself (SetClipboardData).
    HGLOBAL Release();

private:
    HGLOBAL m_hMemory = nullptr;
};
