// CLockHolderProcess: runs store_lock_holder as a separate process and follows its lock.
#pragma once

#include "base/kernel_handles.h"

#include <string>
#include <windows.h>

class CLockHolderProcess {
public:
    // Write: the write lock of an open write transaction (readers go on reading). Exclusive: the
    // lock of a commit under way, which keeps readers out as well. Read: a read transaction.
    // Change: the write lock with the first item's label changed to "别处改过", committed at Go.
    enum class Lock { Write, Exclusive, Read, Change };

    // Starts the holder on the database and waits until it holds the lock.
    CLockHolderProcess(const std::wstring& database, Lock lock, DWORD holdAfterGoMs);
    // Lets go of the lock (if not yet told to) and waits for the process to end.
    ~CLockHolderProcess();
    CLockHolderProcess(const CLockHolderProcess&) = delete;
    CLockHolderProcess& operator=(const CLockHolderProcess&) = delete;

    // True when the holder took its lock (the constructor waits for that).
    bool HoldsLock() const { return m_holding; }
    // Tells the holder to let go after its hold time.
    void Go();
    // True once the holder is letting go of the lock (set just before it does).
    bool HasReleased() const;
    // Waits for the holder to end (with a deadline); its exit code, or -1 when it did not end.
    int WaitForExit();

private:
    CKernelHandle m_ready;
    CKernelHandle m_go;
    CKernelHandle m_released;
    CKernelHandle m_process;
    CKernelHandle m_thread;
    bool m_holding = false;
};
