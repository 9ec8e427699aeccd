// CGlobalMemory: allocate, fill, free.
#include "corelib/global_memory.h"

#include <cstring>

CGlobalMemory::CGlobalMemory(const void* data, size_t size)
{
    m_hMemory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!m_hMemory)
        return;
    void* block = ::GlobalLock(m_hMemory);
    if (!block) {
        ::GlobalFree(m_hMemory);
        m_hMemory = nullptr;
        return;
    }
    std::memcpy(block, data, size);
    ::GlobalUnlock(m_hMemory);
}

CGlobalMemory::~CGlobalMemory()
{
    if (m_hMemory)
        ::GlobalFree(m_hMemory);
}

HGLOBAL CGlobalMemory::Release()
{
    HGLOBAL hMemory = m_hMemory;
    m_hMemory = nullptr;
    return hMemory;
}
