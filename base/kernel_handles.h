// Owners of KERNEL32 handles: files, kernel objects (events, processes, threads), global memory.
#pragma once

#include "base/unique_handle.h"

#include <vector>
#include <windows.h>

struct CFileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle handle) noexcept
    {
        return handle != INVALID_HANDLE_VALUE && handle != nullptr;
    }
    static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};
// A file from CreateFileW (which answers INVALID_HANDLE_VALUE on failure).
using CFileHandle = CUniqueHandle<CFileHandleTraits>;

struct CKernelHandleTraits : CNullHandleTraits<HANDLE> {
    static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};
// An event, process or thread (null on failure).
using CKernelHandle = CUniqueHandle<CKernelHandleTraits>;

struct CGlobalMemoryTraits : CNullHandleTraits<HGLOBAL> {
    static void Close(Handle handle) noexcept { ::GlobalFree(handle); }
};
// A global memory block until it is handed to the system (SetClipboardData frees it then).
using CGlobalMemory = CUniqueHandle<CGlobalMemoryTraits>;

// An existing file opened for reading in order, others still free to read, write, rename or
// replace it (a shared file a colleague saves over while it is read).
CFileHandle OpenFileForReading(const wchar_t* path);
// Reads up to buffer's size: true with the bytes read in read (0 at the end), false on failure.
bool ReadFileChunk(const CFileHandle& file, std::vector<char>& buffer, DWORD& read);
// A movable block holding a copy of size bytes at data; empty when allocation fails.
CGlobalMemory GlobalCopy(const void* data, size_t size);
