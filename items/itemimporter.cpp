// CItemImporter: lines to rows and inserts, in groups the batch commits.
#include "items/itemimporter.h"

#include "framework/redrawpause.h"
#include "items/contentcolumn.h"
#include "items/importfile.h"
#include "store/batch.h"
#include "store/itemid.h"
#include "store/statements.h"

#include <memory>

namespace {

// Adds up the time spent inside the item table's work.
class CStopwatch {
public:
    explicit CStopwatch(double& total) : m_total(total)
    {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        m_frequency = static_cast<double>(frequency.QuadPart);
    }

    template <typename Work> auto Time(Work&& work)
    {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        auto result = work();
        ::QueryPerformanceCounter(&end);
        m_total += static_cast<double>(end.QuadPart - start.QuadPart) / m_frequency;
        return result;
    }

private:
    double& m_total;
    double m_frequency = 1.0;
};

}  // namespace

CItemImporter::CItemImporter(CListCtrl& list, CContentColumn& contents, const CString& connStr)
    : m_list(list), m_contents(contents), m_connStr(connStr)
{
}

CImportReport CItemImporter::Run(const CString& path)
{
    using Outcome = CStatementBatch::Outcome;
    CImportReport report;
    CImportFile file;
    switch (file.Open(path)) {
    case CImportFile::OpenResult::Opened:
        break;
    case CImportFile::OpenResult::CannotOpen:
        report.outcome = CImportReport::Outcome::CannotOpen;
        return report;
    case CImportFile::OpenResult::NotText:
        report.outcome = CImportReport::Outcome::NotText;
        return report;
    }

    CRedrawPause pause(m_list);
    CStopwatch tableClock(report.tableSeconds);
    const int firstRow = m_list.GetItemCount();
    int row = firstRow;
    int groupStart = firstRow;  // the first row whose insert is not committed yet
    auto batch = tableClock.Time([&] { return std::make_unique<CStatementBatch>(m_connStr); });
    bool stopped = false;
    bool groupLost = false;
    // Lines stored whose new id does not fit in 32 bits: in the table, but given no row (an edit
    // or delete of it could only carry a cut id, which names another item).
    int unlistedCommitted = 0;
    int unlistedPending = 0;
    CString line;
    while (!stopped && file.ReadString(line)) {
        if (line.IsEmpty())
            continue;
        CString statement = StmtInsertImported(line);
        long long newId = 0;
        Outcome outcome = tableClock.Time([&] { return batch->Run(statement, &newId); });
        switch (outcome) {
        case Outcome::Ran:
            if (std::optional<int> id = ItemIdFromRowid(newId)) {
                // The row comes with the id its insert created, in one message.
                m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, row, L"", 0, 0, 0, static_cast<LPARAM>(*id));
                m_contents.Show(row, *id, line);
                ++row;
            } else {
                ++unlistedPending;
            }
            if (batch->Pending() == 0) {
                groupStart = row;
                unlistedCommitted += unlistedPending;
                unlistedPending = 0;
            }
            break;
        case Outcome::StatementFailed:
            // Only this insert was undone: the rest of its group can still be committed.
            stopped = true;
            break;
        case Outcome::GroupLost:
        case Outcome::NotConnected:
            RemoveRowsFrom(groupStart);
            row = groupStart;
            unlistedPending = 0;
            stopped = true;
            groupLost = true;
            break;
        }
    }
    file.Close();
    if (!groupLost) {
        if (tableClock.Time([&] { return batch->Finish(); })) {
            groupStart = row;
            unlistedCommitted += unlistedPending;
        } else {
            RemoveRowsFrom(groupStart);
            stopped = true;
        }
    }
    tableClock.Time([&] {
        batch.reset();
        return 0;
    });
    report.importedLines = groupStart - firstRow + unlistedCommitted;
    if (stopped)
        report.outcome = CImportReport::Outcome::StoppedByStore;
    return report;
}

void CItemImporter::RemoveRowsFrom(int first)
{
    for (int row = m_list.GetItemCount() - 1; row >= first; --row) {
        m_contents.Forget(static_cast<int>(m_list.GetItemData(row)));
        m_list.DeleteItem(row);
    }
}
