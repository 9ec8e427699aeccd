// Reading a database's stamp without opening it as a database: no lock is taken or waited for.
#include "store/changestamp.h"

#include "base/kernel_handles.h"

#include <windows.h>

namespace {

// Where the header keeps its change counter, big-endian.
constexpr DWORD kChangeCounterOffset = 24;

std::uint64_t Join(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

}  // namespace

bool CDatabaseStamp::operator==(const CDatabaseStamp& other) const
{
    return fileId == other.fileId && size == other.size && written == other.written &&
           changeCounter == other.changeCounter && logSize == other.logSize && logWritten == other.logWritten;
}

std::optional<CDatabaseStamp> ReadDatabaseStamp(const std::wstring& path)
{
    // Shared every way, so that no writer, and no program replacing the file, is kept waiting.
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!::GetFileInformationByHandle(file.Get(), &info))
        return std::nullopt;
    CDatabaseStamp stamp;
    stamp.fileId = Join(info.dwVolumeSerialNumber ^ info.nFileIndexHigh, info.nFileIndexLow);
    stamp.size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    stamp.written = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    unsigned char counter[4] = {};
    DWORD read = 0;
    OVERLAPPED at = {};
    at.Offset = kChangeCounterOffset;
    if (::ReadFile(file.Get(), counter, sizeof(counter), &read, &at) && read == sizeof(counter))
        stamp.changeCounter = (std::uint32_t{counter[0]} << 24) | (std::uint32_t{counter[1]} << 16) |
                              (std::uint32_t{counter[2]} << 8) | counter[3];
    WIN32_FILE_ATTRIBUTE_DATA log = {};
    if (::GetFileAttributesExW((path + L"-wal").c_str(), GetFileExInfoStandard, &log)) {
        stamp.logSize = Join(log.nFileSizeHigh, log.nFileSizeLow);
        stamp.logWritten = Join(log.ftLastWriteTime.dwHighDateTime, log.ftLastWriteTime.dwLowDateTime);
    }
    return stamp;
}
