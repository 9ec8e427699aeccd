// CItemImporter: one import of a text file into the items list and the item table.
#pragma once

#include "framework/afxwin.h"

class CContentColumn;
class CStatementBatch;

// What one import did.
struct CImportReport {
    enum class Outcome {
        Done,            // the whole file was imported
        CannotOpen,      // the file could not be opened or read: nothing imported
        NotText,         // the file holds NUL bytes: nothing imported
        StoppedByStore,  // the table refused a statement or a commit: the import stopped there
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
    CImportReport Run(const CString& path);

private:
    // Takes rows [first, end of list) out again.
    void RemoveRowsFrom(int first);

    CListCtrl& m_list;
    CContentColumn& m_contents;
    CString m_connStr;
};
