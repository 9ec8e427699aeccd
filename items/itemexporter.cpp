// ExportItems: the rows read in runs of falling ids, written out a chunk at a time, then renamed.
#include "items/itemexporter.h"

#include "base/kernel_handles.h"
#include "base/text_codec.h"
#include "base/text_walk.h"
#include "items/csvwriter.h"
#include "items/itemsfile.h"
#include "items/spreadsheettext.h"
#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbstatement.h"
#include "store/pins.h"
#include "store/statements.h"

#include <algorithm>
#include <string>

namespace {

// Bytes gathered before they are written: few calls into the system, little memory.
constexpr size_t kWriteChunk = 1 << 20;
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// A file written beside its final name under a name of its own, deleted unless put in place.
class CSideFile {
public:
    CSideFile() = default;
    CSideFile(const CSideFile&) = delete;
    CSideFile& operator=(const CSideFile&) = delete;
    ~CSideFile()
    {
        m_file.Reset();
        if (!m_path.empty() && !m_placed)
            ::DeleteFileW(m_path.c_str());
    }

    bool Create(const CString& finalPath)
    {
        CString folder = FolderOfPath(finalPath);
        wchar_t name[MAX_PATH] = {};
        if (!::GetTempFileNameW(folder.IsEmpty() ? L"." : folder.GetString(), L"mir", 0, name))
            return Fail();
        m_path = name;
        m_file = CFileHandle(
            ::CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return m_file ? true : Fail();
    }

    // Writes out what bytes holds and empties it.
    bool Write(std::string& bytes)
    {
        size_t written = 0;
        while (written < bytes.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, kWriteChunk));
            DWORD done = 0;
            if (!::WriteFile(m_file.Get(), bytes.data() + written, chunk, &done, nullptr) || done == 0)
                return Fail();
            written += done;
        }
        bytes.clear();
        return true;
    }

    // Makes the file whole on disk, then puts it at finalPath, over any file there.
    bool PutInPlace(const CString& finalPath)
    {
        if (!::FlushFileBuffers(m_file.Get()))
            return Fail();
        m_file.Reset();
        if (!::MoveFileExW(m_path.c_str(), finalPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Fail();
        m_placed = true;
        return true;
    }

    // A step failed: the file is not to be put in place.
    bool Failed() const { return m_failed; }
    DWORD Error() const { return m_error; }

private:
    bool Fail()
    {
        m_failed = true;
        m_error = ::GetLastError();
        return false;
    }

    std::wstring m_path;
    CFileHandle m_file;
    bool m_placed = false;
    bool m_failed = false;
    DWORD m_error = 0;
};

// Appends the record of every listed item to out, in list order, writing out full chunks; stops
// when a write fails. The list's ids fall within each run (newest first, as loaded); each run is one
// query, walked beside the list: ids it lacks were deleted meanwhile, ids it does not list are left
// out.
int AppendItems(const CString& connStr, const std::vector<int>& ids, std::string& out, CSideFile& file)
{
    CDbConnection connection(connStr, CDbConnection::Access::ReadOnly);
    // One snapshot for every run.
    connection.ExecuteFixed("BEGIN");
    const std::vector<long long> pinned = ReadPinnedIds(connection);
    CDbStatement query(connection, StmtSelectItemsFromIdDown());
    int exported = 0;
    std::string titleField, contentField;
    for (size_t start = 0; start < ids.size();) {
        size_t end = start + 1;
        while (end < ids.size() && ids[end] < ids[end - 1])
            ++end;
        query.Bind({CDbValue::Integer(ids[start]), CDbValue::Integer(ids[end - 1])});
        for (size_t next = start; next < end && query.Step();) {
            const long long id = query.Column(0).AsInteger();
            while (next < end && ids[next] > id)
                ++next;
            if (next == end || ids[next] != id)
                continue;
            ++next;
            // The count and the time stay as they are: a spreadsheet may retype them, and the import
            // reads them in its forms too.
            AppendCsvRecord(out, {SpreadsheetField(query.ColumnUtf8(1), titleField),
                                  SpreadsheetField(query.ColumnUtf8(2), contentField), query.ColumnUtf8(3),
                                  query.ColumnUtf8(4),
                                  std::binary_search(pinned.begin(), pinned.end(), id) ? "1" : ""});
            ++exported;
            if (out.size() >= kWriteChunk && !file.Write(out))
                return exported;
        }
        start = end;
    }
    connection.RollbackQuietly();
    return exported;
}

}  // namespace

CExportReport ExportItems(const CString& connStr, const std::vector<int>& ids, const CString& path)
{
    CExportReport report;
    CSideFile file;
    auto cannotWrite = [&] {
        report.outcome = CExportReport::Outcome::CannotWrite;
        report.writeError = file.Error();
        return report;
    };
    if (!file.Create(path))
        return cannotWrite();
    std::string out = kUtf8Mark;
    AppendCsvRecord(out, {WideToUtf8(kItemsFileHeader[0]), WideToUtf8(kItemsFileHeader[1]),
                          WideToUtf8(kItemsFileHeader[2]), WideToUtf8(kItemsFileHeader[3]),
                          WideToUtf8(kItemsFilePinnedField)});
    try {
        report.exportedItems = AppendItems(connStr, ids, out, file);
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        report.outcome = CExportReport::Outcome::CannotRead;
        return report;
    }
    if (file.Failed() || !file.Write(out) || !file.PutInPlace(path))
        return cannotWrite();
    return report;
}
