// CChildProcess.
#include "tests/mainwnd/child_process.h"

#include "tests/support/pump.h"

#include <vector>

namespace testing_support {

CChildProcess::~CChildProcess()
{
    if (IsRunning()) {
        ::TerminateProcess(m_process.Get(), 1);
        ::WaitForSingleObject(m_process.Get(), 5000);
    }
}

bool CChildProcess::Start(const std::wstring& programPath, const std::wstring& folder)
{
    return StartCommand(L"\"" + programPath + L"\"", folder);
}

bool CChildProcess::StartCommand(const std::wstring& commandLine, const std::wstring& folder)
{
    if (m_process)
        return false;
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info))
        return false;
    m_process.Reset(info.hProcess);
    m_thread.Reset(info.hThread);
    m_id = info.dwProcessId;
    return true;
}

bool CChildProcess::IsRunning() const
{
    return m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> CChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (!m_process || !PumpUntil([this] { return !IsRunning(); }, timeoutMs))
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

}  // namespace testing_support
