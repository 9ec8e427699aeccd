// CItemImporter: one import of a text file into the item table, whole or not at all.
#pragma once

#include "framework/afxwin.h"
#include "items/itemsfile.h"

#include <atomic>
#include <exception>
#include <vector>

// What one import did.
struct CImportReport {
    enum class Outcome {
        Done,        // every non-empty line of the file is in the table
        CannotOpen,  // the file could not be opened or read: nothing imported
        NotText,     // the file holds NUL bytes: nothing imported
        Failed,      // the table refused a line or the commit: nothing imported
        Cancelled,   // the user cancelled: nothing imported
        Stopped,     // an exception stopped it (memory ran out, say): nothing imported
    };
    Outcome outcome = Outcome::Done;
    int importedLines = 0;      // lines (or records of the items file) now in the table as items
    std::vector<int> newIds;    // the new items' ids in file order (those that fit in 32 bits)
    int failureCode = 0;        // the engine's result code when the table refused
    std::exception_ptr stopped;  // what stopped it, when an exception did
    double tableSeconds = 0.0;  // time the table's work took: connecting, the inserts, the commit
    // The items file (CSV) only:
    bool itemsFile = false;                 // the file began with its header and was read as one
    int skippedRepeats = 0;                 // records equal in label and content to an item already there
    RecordFault fault = RecordFault::None;  // why the import stopped at a record
    int faultLine = 0;  // where that record starts: the records before it are in the table
    bool pinsChanged = false;  // items there got pins from repeating records
};

// How far an import has come and whether the user wants it stopped: written by the import's
// thread, read and cancelled from the window's.
class CImportProgress {
public:
    void Report(int lines, int permille)
    {
        m_lines.store(lines, std::memory_order_relaxed);
        m_permille.store(permille, std::memory_order_relaxed);
    }
    int Lines() const { return m_lines.load(std::memory_order_relaxed); }
    int Permille() const { return m_permille.load(std::memory_order_relaxed); }
    void Cancel() { m_cancelled.store(true); }
    bool IsCancelled() const { return m_cancelled.load(); }

private:
    std::atomic<int> m_lines{0};
    std::atomic<int> m_permille{0};
    std::atomic<bool> m_cancelled{false};
};

class CItemImporter {
public:
    explicit CItemImporter(const CString& connStr) : m_connStr(connStr) {}

    // Every non-empty line becomes an item (no label, the line as its content); a file whose first
    // record is the items file's header is read as one instead. In one transaction over a
    // connection of its own: touches no window, so it may run on any thread.
    // Reports to progress, when given, every so many lines, and stops with nothing imported
    // once it is cancelled.
    CImportReport Run(const CString& path, CImportProgress* progress = nullptr) const;

private:
    CString m_connStr;
};
