// ReadTeamFile: the items file's records, taken only when the whole file was read unchanged.
#include "items/teamfile.h"

#include "items/csvimport.h"
#include "items/csvstream.h"

#include <cstdint>
#include <cwchar>
#include <optional>
#include <windows.h>

namespace {

// The file is open in another program that shares it with no reader (a save under way).
bool HeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

CTeamFileRead Outcome(CTeamFileRead::Outcome outcome)
{
    CTeamFileRead read;
    read.outcome = outcome;
    return read;
}

}  // namespace

bool CTeamFileLook::operator==(const CTeamFileLook& other) const
{
    return size == other.size && ::CompareFileTime(&created, &other.created) == 0 &&
           ::CompareFileTime(&written, &other.written) == 0;
}

std::optional<CTeamFileLook> LookAtTeamFile(const CString& path, bool* busy)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        const DWORD error = ::GetLastError();
        if (busy)
            *busy = HeldByAnother(error);
        return std::nullopt;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::nullopt;
    CTeamFileLook look;
    look.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    look.created = data.ftCreationTime;
    look.written = data.ftLastWriteTime;
    return look;
}

CTeamFileRead ReadTeamFile(const CString& path)
{
    bool busy = false;
    const std::optional<CTeamFileLook> before = LookAtTeamFile(path, &busy);
    if (!before)
        return Outcome(busy ? CTeamFileRead::Outcome::Busy : CTeamFileRead::Outcome::Unreachable);
    CImportFile file;
    const CTellingOpening opening = ItemsFileOpening();
    switch (file.Open(path, &opening)) {
    case CImportFile::OpenResult::Opened:
        break;
    case CImportFile::OpenResult::NotText:
        return Outcome(CTeamFileRead::Outcome::NotItemsFile);
    case CImportFile::OpenResult::CannotOpen:
        return Outcome(HeldByAnother(::GetLastError()) ? CTeamFileRead::Outcome::Busy
                                                       : CTeamFileRead::Outcome::Unreachable);
    }

    CTeamFileRead read;
    CCsvStream reader([&file](std::wstring& text) { return file.ReadText(text); });
    std::vector<std::wstring> fields;
    std::optional<CItemsFileColumns> columns;
    if (reader.Next(fields) == CCsvReader::Step::Record)
        columns = ReadItemsFileHeader(fields);
    if (!columns)
        return Outcome(CTeamFileRead::Outcome::NotItemsFile);
    for (;;) {
        const CCsvReader::Step step = reader.Next(fields);
        if (step == CCsvReader::Step::End)
            break;
        std::optional<CFileItem> item;
        const RecordFault fault = step == CCsvReader::Step::Malformed
                                      ? RecordFault::Quotes
                                      : ReadItemRecord(std::move(fields), *columns, item);
        if (fault != RecordFault::None) {
            read.outcome = CTeamFileRead::Outcome::Malformed;
            read.fault = fault;
            read.faultLine = reader.Line();
            read.items.clear();
            break;
        }
        if (item)
            read.items.push_back(CTeamItem{std::move(item->title), std::move(item->data1)});
    }
    // A NUL further on than the first look: no text file, and so no items file.
    if (file.Failure() == CImportFile::OpenResult::NotText)
        return Outcome(CTeamFileRead::Outcome::NotItemsFile);
    if (file.Failure() != CImportFile::OpenResult::Opened)
        return Outcome(CTeamFileRead::Outcome::Unreachable);
    file.Close();
    // A file written or replaced meanwhile may have been read half old, half new.
    const std::optional<CTeamFileLook> after = LookAtTeamFile(path, &busy);
    if (!after || *after != *before)
        return Outcome(CTeamFileRead::Outcome::Busy);
    if (read.outcome != CTeamFileRead::Outcome::Malformed)
        read.outcome = CTeamFileRead::Outcome::Read;
    return read;
}

std::wstring TeamItemsDigest(const std::vector<CTeamItem>& items)
{
    // FNV-1a over each label's length, the label and the content, and the content's length.
    uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](uint64_t value) { hash = (hash ^ value) * 1099511628211ull; };
    for (const CTeamItem& item : items) {
        mix(item.title.size());
        for (wchar_t unit : item.title)
            mix(unit);
        mix(item.data1.size());
        for (wchar_t unit : item.data1)
            mix(unit);
    }
    wchar_t text[32];
    std::swprintf(text, 32, L"%zu:%016llx", items.size(), static_cast<unsigned long long>(hash));
    return text;
}
