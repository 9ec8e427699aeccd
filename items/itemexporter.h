// Exporting items: the listed items, in the list's order, written to the items file (CSV).
#pragma once

#include "base/cstring.h"

#include <vector>
#include <windows.h>

// What one export did.
struct CExportReport {
    enum class Outcome {
        Done,         // the file holds every item asked for that is still in the table
        CannotRead,   // the table could not be read: no file written
        CannotWrite,  // the file could not be written or put in place: no file written
    };
    Outcome outcome = Outcome::Done;
    int exportedItems = 0;
    DWORD writeError = 0;  // the system's error code when the file could not be written
};

// Writes the items with these ids, in this order, to path: UTF-8 with its byte order mark (so that
// Excel and WPS read its characters right), the header record, then one record an item (label,
// content, count, time, as the table holds them; a label or content that a spreadsheet would
// retype as the formula that shows it). An id no longer in the table is left out. The
// file is written beside path and renamed over it at the end: a failure leaves a file already at
// path as it was. Reads the table only.
CExportReport ExportItems(const CString& connStr, const std::vector<int>& ids, const CString& path);
