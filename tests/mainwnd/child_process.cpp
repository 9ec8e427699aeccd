// CChildProcess.
#include "tests/mainwnd/child_process.h"

#include "tests/support/pump.h"

#include <vector>

namespace testing_support {

CChildProcess::~CChildProcess()
{
    if (m_info.hProcess) {
        if (IsRunning()) {
            ::TerminateProcess(m_info.hProcess, 1);
            ::WaitForSingleObject(m_info.hProcess, 5000);
        }
        ::CloseHandle(m_info.hProcess);
    }
    if (m_info.hThread)
        ::CloseHandle(m_info.hThread);
}

bool CChildProcess::Start(const std::string& programPath, const std::string& folder)
{
    if (m_info.hProcess)
        return false;
    std::string commandLine = "\"" + programPath + "\"";
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return ::CreateProcessA(programPath.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &m_info) != FALSE;
}

bool CChildProcess::IsRunning() const
{
    return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> CChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (!m_info.hProcess || !PumpUntil([this] { return !IsRunning(); }, timeoutMs))
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

}  // namespace testing_support
