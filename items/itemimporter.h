// CItemImporter: one import of a text file into the items list and the item table.
#pragma once

#include "framework/afxwin.h"

#include <functional>

class CContentColumn;
class CStatementBatch;

// What one import did.
struct CImportReport {
    enum class Outcome {
        Done,            // the whole file was imported
        CannotOpen,      // the file could not be opened or read: nothing imported
        NotText,         // the file holds NUL bytes: nothing imported
        StoppedByStore,  // the table refused a statement or a commit: the import stopped there
        Declined,        // the file holds characters the code page lacks, and the user said no
    };
    Outcome outcome = Outcome::Done;
    int importedLines = 0;      // lines committed to the table (listed, unless their id does not fit)
    double tableSeconds = 0.0;  // time the batch took: connecting, running the inserts, committing
};

class CItemImporter {
public:
    CItemImporter(CListCtrl& list, CContentColumn& contents, const CString& connStr);
    CItemImporter(const CItemImporter&) = delete;
    CItemImporter& operator=(const CItemImporter&) = delete;

    // Every non-empty line becomes a row at the bottom of the list, carrying the id of the
    // item its insert created. Rows whose inserts are lost are taken out of the list again.
    // A file holding characters the code page lacks (they would be stored as "?") is imported
    // only when confirmLoss, asked once before anything is imported, says true.
    CImportReport Run(const CString& path, const std::function<bool()>& confirmLoss);

private:
    // Takes rows [first, end of list) out again.
    void RemoveRowsFrom(int first);

    CListCtrl& m_list;
    CContentColumn& m_contents;
    CString m_connStr;
};
