// The team file: the items file a colleague exported (or a spreadsheet saved) in a shared folder,
// read whole and only when it is well-formed. Its counts and times are the colleague's: left out.
#pragma once

#include "base/cstring.h"
#include "items/itemsfile.h"
#include "store/teamstore.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct CTeamFileRead {
    enum class Outcome {
        Read,          // every record read: items holds the file's items in file order
        Unreachable,   // the file or its folder cannot be reached or read now
        Busy,          // another program holds it, or it changed while it was read: worth trying again
        Malformed,     // a record is not well-formed: fault and faultLine say which and why
        NotItemsFile,  // the first record is not the items file's header
    };
    Outcome outcome = Outcome::Unreachable;
    std::vector<CTeamItem> items;
    RecordFault fault = RecordFault::None;
    int faultLine = 0;
};

CTeamFileRead ReadTeamFile(const CString& path);

// What tells, without reading it, that a file is not the one read before: its size and its times
// of making and writing (a file saved over, or put in its place by a rename, differs).
struct CTeamFileLook {
    ULONGLONG size = 0;
    FILETIME created = {};
    FILETIME written = {};
    bool operator==(const CTeamFileLook& other) const;
    bool operator!=(const CTeamFileLook& other) const { return !(*this == other); }
};
// The file's look now; nothing when it cannot be reached, or (busy set) another program holds it.
std::optional<CTeamFileLook> LookAtTeamFile(const CString& path, bool* busy = nullptr);

// A digest of the items in their order: two reads that give the same items give the same digest,
// whatever the counts, times or encoding of the file.
std::wstring TeamItemsDigest(const std::vector<CTeamItem>& items);
