// Memory the test program refuses, as a 32-bit program's spent address space does: while a
// CRefusedMemory lives, every single allocation of at least so many bytes throws std::bad_alloc,
// on any thread.
#pragma once

#include <cstddef>

class CRefusedMemory {
public:
    explicit CRefusedMemory(size_t fromBytes);
    ~CRefusedMemory();
    CRefusedMemory(const CRefusedMemory&) = delete;
    CRefusedMemory& operator=(const CRefusedMemory&) = delete;
};
