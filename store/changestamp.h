// What tells, cheaply, whether the item database has changed since it was last read, by this program
// or any other (another copy, a restore from a backup, a sync tool, an sqlite3 session): which file
// stands at the path, its size and time of writing, the change counter every commit raises in its
// header, and the write-ahead log beside it, where a commit in that mode goes first.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct CDatabaseStamp {
    std::uint64_t fileId = 0;  // the volume and the file's index on it: a file put in its place differs
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    std::uint32_t changeCounter = 0;
    std::uint64_t logSize = 0;
    std::uint64_t logWritten = 0;

    bool operator==(const CDatabaseStamp& other) const;
    bool operator!=(const CDatabaseStamp& other) const { return !(*this == other); }
};

// The stamp of the database file at path; nothing when it cannot be read now.
std::optional<CDatabaseStamp> ReadDatabaseStamp(const std::wstring& path);
