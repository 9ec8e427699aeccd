// CItemImporter: lines to inserts in one batch, committed once at the end.
#include "items/itemimporter.h"

#include "items/csvimport.h"
#include "items/importfile.h"
#include "items/stopwatch.h"
#include "store/batch.h"
#include "store/itemid.h"
#include "store/statements.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

// Lines between two reports of progress and looks at the cancel flag: often enough to answer
// within a few milliseconds, rarely enough to cost nothing.
constexpr int kLinesPerReport = 256;

// The new items' ids, kept as runs of consecutive ones (an import's inserts take one id after
// another): their list is made once, at its size, at the end, instead of growing by doubling over
// millions of lines, half of it spare.
class CIdRuns {
public:
    void Add(int id)
    {
        if (!m_runs.empty() && static_cast<long long>(m_runs.back().first) + m_runs.back().second == id)
            ++m_runs.back().second;
        else
            m_runs.emplace_back(id, 1);
        ++m_count;
    }
    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        ids.reserve(m_count);
        for (const auto& [first, count] : m_runs) {
            for (int i = 0; i < count; ++i)
                ids.push_back(first + i);
        }
        return ids;
    }

private:
    std::vector<std::pair<int, int>> m_runs;  // first id, count
    size_t m_count = 0;
};

}  // namespace

CImportReport CItemImporter::Run(const CString& path, CImportProgress* progress) const
{
    CImportReport report;
    CImportFile file;
    const CTellingOpening itemsFileOpening = ItemsFileOpening();
    switch (file.Open(path, &itemsFileOpening)) {
    case CImportFile::OpenResult::Opened:
        break;
    case CImportFile::OpenResult::CannotOpen:
        report.outcome = CImportReport::Outcome::CannotOpen;
        return report;
    case CImportFile::OpenResult::NotText:
        report.outcome = CImportReport::Outcome::NotText;
        return report;
    }

    if (IsItemsFile(file.Beginning()))
        return ImportItemsFile(m_connStr, file, progress);

    CStopwatch tableClock(report.tableSeconds);
    auto batch = tableClock.Time([&] { return std::make_unique<CStatementBatch>(m_connStr); });
    // Nothing of the file stays: the batch is rolled back when it goes.
    auto nothingImported = [&](CImportReport::Outcome outcome) {
        report.outcome = outcome;
        report.failureCode = batch->FailureCode();
        report.importedLines = 0;
        report.newIds.clear();
        return report;
    };
    int lines = 0;
    CIdRuns newIds;
    CString line;
    while (file.ReadString(line)) {
        if (++lines % kLinesPerReport == 0 && progress) {
            progress->Report(lines, file.PermilleRead());
            if (progress->IsCancelled())
                return nothingImported(CImportReport::Outcome::Cancelled);
        }
        if (line.IsEmpty())
            continue;
        long long newId = 0;
        if (tableClock.Time([&] { return batch->Run(StmtInsertImported(line), &newId); }) !=
            CStatementBatch::Outcome::Ran)
            return nothingImported(CImportReport::Outcome::Failed);
        ++report.importedLines;
        // An item whose id does not fit in 32 bits is stored but given no row: an edit or
        // delete of it could only carry a cut id, which names another item.
        if (std::optional<int> id = ItemIdFromRowid(newId))
            newIds.Add(*id);
    }
    // A file that could not be read to its end, or held a NUL further on, lands nothing.
    if (file.Failure() != CImportFile::OpenResult::Opened)
        return nothingImported(file.Failure() == CImportFile::OpenResult::NotText
                                   ? CImportReport::Outcome::NotText
                                   : CImportReport::Outcome::CannotOpen);
    file.Close();
    if (progress && progress->IsCancelled())
        return nothingImported(CImportReport::Outcome::Cancelled);
    if (!tableClock.Time([&] { return batch->Finish(); }))
        return nothingImported(CImportReport::Outcome::Failed);
    tableClock.Time([&] {
        batch.reset();
        return 0;
    });
    report.newIds = newIds.Ids();
    return report;
}
