// The test program's own operator new, which refuses large blocks while a CRefusedMemory lives.
#include "tests/items/refused_memory.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> g_refusedFrom{0};  // 0: nothing refused

}  // namespace

CRefusedMemory::CRefusedMemory(size_t fromBytes)
{
    g_refusedFrom.store(fromBytes);
}

CRefusedMemory::~CRefusedMemory()
{
    g_refusedFrom.store(0);
}

void* operator new(size_t size)
{
    const size_t refusedFrom = g_refusedFrom.load(std::memory_order_relaxed);
    if (refusedFrom != 0 && size >= refusedFrom)
        throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, size_t) noexcept
{
    std::free(block);
}
