// CClickCounter: the click path's database work, none of which waits on another program for
// more than a moment. It reads an item's content and counts clicks; a count that cannot be
// written now is kept and written at a later try.
#pragma once

#include "base/cstring.h"
#include "store/dbsession.h"

#include <string>
#include <utility>
#include <vector>

class CClickCounter {
public:
    // The longest wait for another program's lock on the click path.
    static constexpr int kQuickWaitMs = 200;

    // The program's connection string; the click path's own, with the quick wait, is made from it.
    void SetConnectionString(const CString& connStr);

    enum class ReadResult {
        Read,        // the content ("" when the item is gone)
        Busy,        // another program's lock was not granted in time
        Unreadable,  // any other failure: the file gone or broken
    };
    // The content as stored, in UTF-16: a click copies every character of it.
    ReadResult ReadContent(int id, std::wstring* text);

    // Keeps one click on an item, stamped with its time, until it is written.
    void Add(int id, const CString& time);
    bool HasPending() const { return !m_pending.empty(); }
    // Writes every kept click, all or none, waiting for locks no longer than the quick wait (or,
    // when patient, as long as the program's connection string says). True when none is left.
    bool WritePending(bool patient = false);

private:
    CString m_connStr;
    CString m_quickConnStr;  // the same with the quick wait, made once
    CDbSession m_quick;
    std::vector<std::pair<int, CString>> m_pending;  // item id, time of the click
};
