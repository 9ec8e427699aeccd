// CFolderWatch: the system's change notifications for one folder (a file in it written, renamed,
// added or removed), as a handle that is signalled when something changed.
#pragma once

#include "base/cstring.h"

#include <windows.h>

class CFolderWatch {
public:
    CFolderWatch() = default;
    ~CFolderWatch() { Close(); }
    CFolderWatch(const CFolderWatch&) = delete;
    CFolderWatch& operator=(const CFolderWatch&) = delete;

    // Watches the folder that holds the file at path; false when the system gives no notifications
    // for it (the folder cannot be reached, or its file system does not tell).
    bool Watch(const CString& filePath);
    bool IsWatching() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Signalled once something changed in the folder; Rearm waits for the next change.
    HANDLE Handle() const { return m_handle; }
    // False when the folder can no longer be watched (taken away): the watch is closed then.
    bool Rearm();
    void Close();

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
