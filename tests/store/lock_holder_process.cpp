// Starting store_lock_holder beside the test program and talking to it through named events.
#include "tests/store/lock_holder_process.h"

#include "tests/support/testdb.h"

#include <string>

namespace {

constexpr DWORD kDeadlineMs = 20000;

}  // namespace

CLockHolderProcess::CLockHolderProcess(const std::wstring& database, Lock lock, DWORD holdAfterGoMs)
{
    static int started = 0;
    const std::wstring prefix =
        L"mirelo-lock-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++started);
    m_ready.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-ready").c_str()));
    m_go.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-go").c_str()));
    m_released.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-released").c_str()));

    const wchar_t* mode = lock == Lock::Write       ? L"write "
                          : lock == Lock::Exclusive ? L"exclusive "
                          : lock == Lock::Change    ? L"change "
                                                    : L"read ";
    std::wstring command = L"\"" + testing_support::ProgramFolder() + L"..\\store_lock_holder.exe\" \"" +
                           database + L"\" " + mode + prefix + L" " + std::to_wstring(holdAfterGoMs);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return;
    m_process.Reset(process.hProcess);
    m_thread.Reset(process.hThread);
    HANDLE waitFor[] = {m_ready.Get(), m_process.Get()};
    m_holding = ::WaitForMultipleObjects(2, waitFor, FALSE, kDeadlineMs) == WAIT_OBJECT_0;
}

CLockHolderProcess::~CLockHolderProcess()
{
    Go();
    WaitForExit();
}

void CLockHolderProcess::Go()
{
    ::SetEvent(m_go.Get());
}

bool CLockHolderProcess::HasReleased() const
{
    return ::WaitForSingleObject(m_released.Get(), 0) == WAIT_OBJECT_0;
}

int CLockHolderProcess::WaitForExit()
{
    if (!m_process || ::WaitForSingleObject(m_process.Get(), kDeadlineMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.Get(), &code);
    return static_cast<int>(code);
}
