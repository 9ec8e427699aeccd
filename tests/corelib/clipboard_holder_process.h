// CClipboardHolder: the clipboard_holder helper running as another program that holds the
// clipboard open (see clipboard_holder.cpp), for the tests of whatever copies or reads it.
#pragma once

#include "base/kernel_handles.h"
#include "tests/support/pump.h"
#include "tests/support/testdb.h"

#include <string>
#include <vector>
#include <windows.h>

class CClipboardHolder {
public:
    enum class Mode { Hold, Takeover };

    CClipboardHolder(Mode mode, DWORD holdMs)
    {
        static int counter = 0;
        std::wstring prefix = L"MireloClipboardHolder-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
        m_started.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-started").c_str()));
        m_go.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-go").c_str()));
        m_ready.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-ready").c_str()));
        m_release.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-release").c_str()));

        // Built beside the core library's tests; every test program sits in a folder of its own.
        const std::wstring helper =
            testing_support::ProgramFolder() + L"..\\corelib_tests\\clipboard_holder.exe";
        std::wstring commandLine = L"\"" + helper + L"\" " + prefix + L" " + std::to_wstring(holdMs) +
                                   (mode == Mode::Takeover ? L" takeover" : L" hold");
        std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
        mutableLine.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (::CreateProcessW(helper.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process)) {
            CKernelHandle thread(process.hThread);  // not needed: closed at once
            m_process.Reset(process.hProcess);
            m_processId = process.dwProcessId;
        }
    }
    ~CClipboardHolder()
    {
        ::SetEvent(m_go.Get());
        Release();
        if (m_process.Get() && ::WaitForSingleObject(m_process.Get(), 10000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.Get(), 3);
    }
    CClipboardHolder(const CClipboardHolder&) = delete;
    CClipboardHolder& operator=(const CClipboardHolder&) = delete;

    // Pumps until the event is set; false if the helper ended first or did not start.
    bool PumpUntilSet(const CKernelHandle& event)
    {
        if (!m_process.Get())
            return false;
        testing_support::PumpUntil([&] { return IsSet(event) || IsSet(m_process); }, 20000);
        return IsSet(event);
    }
    bool PumpUntilHolding() { return PumpUntilSet(m_ready); }
    bool PumpUntilStarted() { return PumpUntilSet(m_started); }

    // Lets the takeover go on and waits, answering nothing that is sent to this thread, until
    // the helper has the clipboard open: its next step then waits on this thread.
    bool GoAndWaitUntilHolding()
    {
        ::SetEvent(m_go.Get());
        HANDLE handles[] = {m_ready.Get(), m_process.Get()};
        return ::WaitForMultipleObjects(2, handles, FALSE, 20000) == WAIT_OBJECT_0;
    }
    void Release() { ::SetEvent(m_release.Get()); }
    // The helper's exit code once it has ended, or STILL_ACTIVE after the deadline.
    DWORD PumpUntilExit()
    {
        DWORD code = STILL_ACTIVE;
        testing_support::PumpUntil([&] { return IsSet(m_process); }, 20000);
        ::GetExitCodeProcess(m_process.Get(), &code);
        return code;
    }
    DWORD ProcessId() const { return m_processId; }

private:
    static bool IsSet(const CKernelHandle& handle)
    {
        return ::WaitForSingleObject(handle.Get(), 0) == WAIT_OBJECT_0;
    }

    CKernelHandle m_started;
    CKernelHandle m_go;
    CKernelHandle m_ready;
    CKernelHandle m_release;
    CKernelHandle m_process;
    DWORD m_processId = 0;
};
