// CTeamSync: keeps the team items of the item database as the team file now is, on a thread of its
// own. It reads the file at once, again whenever the file's folder says something in it changed,
// and whenever it is asked to; a version read whole and well-formed is stored in one transaction
// (which the window sees as a change of the database), anything else keeps the last good version
// and is told in a notice.
#pragma once

#include "base/cstring.h"
#include "base/kernel_handles.h"
#include "items/teamfile.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <thread>
#include <windows.h>

class CFolderWatch;

class CTeamSync {
public:
    // How often, and how far apart, a file another program holds (or is writing) is tried again.
    static constexpr int kBusyTries = 20;
    static constexpr DWORD kBusyRetryMs = 250;
    // Notifications that come closer together than this are one save, for this long at most.
    static constexpr DWORD kSettleMs = 200;
    static constexpr ULONGLONG kSettleMaxMs = 2000;

    CTeamSync() = default;
    ~CTeamSync();
    CTeamSync(const CTeamSync&) = delete;
    CTeamSync& operator=(const CTeamSync&) = delete;

    // Subscribes to the team file at path, or to none when path is empty (the team items go then).
    // message is posted to notify after each reading that stored a version or changed the notice.
    // The first reading waits for Check unless readNow: the kept version serves meanwhile.
    void Start(const CString& connStr, const CString& path, HWND notify, UINT message, bool readNow);
    void Stop();
    // Reads the file again soon (the window was brought up).
    void Check();
    const CString& Path() const { return m_path; }

    // What the status line says of the team file: empty while the items shown are the file's.
    CString Notice() const;

private:
    void Run();
    // Waits until the folder has been quiet a moment; false when asked to stop meanwhile.
    bool Settle(CFolderWatch& watch);
    // Reads the file and keeps what it gives; false when it was busy and is worth another try.
    bool Refresh();
    void Tell(const CString& notice, bool stored);
    // The file read whole, as it looked before the reading, and what was said of it.
    void Remember(const std::optional<CTeamFileLook>& look, const CString& notice);

    CString m_connStr;
    CString m_path;
    HWND m_notify = nullptr;
    UINT m_message = 0;
    CKernelHandle m_stopEvent;
    CKernelHandle m_checkEvent;
    std::thread m_thread;
    // The file as last read whole, and what was said of it: the same file is not read again.
    std::optional<CTeamFileLook> m_readLook;
    CString m_readNotice;
    mutable std::mutex m_mutex;  // guards m_notice
    CString m_notice;
};
