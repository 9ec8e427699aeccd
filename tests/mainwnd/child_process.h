// CChildProcess: a program the test starts, whose end and exit code it waits for.
#pragma once

#include "base/kernel_handles.h"

#include <optional>
#include <string>
#include <windows.h>

namespace testing_support {

class CChildProcess {
public:
    CChildProcess() = default;
    // A child still running when the test is over is ended, so that it cannot outlive the test.
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // Starts the program with folder as its working directory.
    bool Start(const std::wstring& programPath, const std::wstring& folder);
    // Starts a command line as the shell does (the program first, quoted when it holds spaces).
    bool StartCommand(const std::wstring& commandLine, const std::wstring& folder);
    DWORD Id() const { return m_id; }
    bool IsRunning() const;
    // The exit code once the process has ended, pumping this thread's messages meanwhile;
    // nothing when it is still running after timeoutMs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000);

private:
    CKernelHandle m_process;
    CKernelHandle m_thread;
    DWORD m_id = 0;
};

}  // namespace testing_support
