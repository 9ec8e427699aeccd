// COtherProgram: started beside the test programs, found by its process id.
#include "tests/support/other_program.h"

#include "tests/support/pump.h"
#include "tests/support/remote_window.h"
#include "tests/support/testdb.h"

#include <string>

namespace testing_support {

COtherProgram::~COtherProgram()
{
    if (m_process && !Close())
        ::TerminateProcess(m_process.Get(), 3);
}

bool COtherProgram::Start(WORD heldHotkey)
{
    if (m_process)
        return false;
    // Built into the folder above every test program's own.
    std::wstring command = L"\"" + ProgramFolder() + L"..\\other_program.exe\"";
    if (heldHotkey != 0)
        command += L" " + std::to_wstring(heldHotkey);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CKernelHandle thread(process.hThread);
    m_process.Reset(process.hProcess);
    m_processId = process.dwProcessId;
    return true;
}

bool COtherProgram::IsInFront()
{
    if (!m_window)
        m_window = FindProcessWindow(m_processId, [](HWND) { return true; });
    return m_window && ::GetForegroundWindow() == m_window && ::WaitForInputIdle(m_process.Get(), 0) == 0;
}

std::optional<DWORD> COtherProgram::Close()
{
    if (!m_process)
        return std::nullopt;
    if (!m_window)
        m_window = FindProcessWindow(m_processId, [](HWND) { return true; });
    if (m_window)
        ::PostMessageW(m_window, WM_CLOSE, 0, 0);
    if (!PumpUntil([this] { return ::WaitForSingleObject(m_process.Get(), 0) == WAIT_OBJECT_0; }, 10000))
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

}  // namespace testing_support
