// Opening and reading files, filling global memory.
#include "base/kernel_handles.h"

#include <cstring>

CFileHandle OpenFileForReading(const wchar_t* path)
{
    return CFileHandle(
        ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

bool ReadFileChunk(const CFileHandle& file, std::vector<char>& buffer, DWORD& read)
{
    read = 0;
    return ::ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) != FALSE;
}

CGlobalMemory GlobalCopy(const void* data, size_t size)
{
    CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory)
        return memory;
    void* block = ::GlobalLock(memory.Get());
    if (!block)
        return CGlobalMemory();
    std::memcpy(block, data, size);
    ::GlobalUnlock(memory.Get());
    return memory;
}
