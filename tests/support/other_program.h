// COtherProgram: the other_program helper (tests/mainwnd/other_program_main.cpp) running as
// another program whose window is in front of ours, holding a global hotkey when asked to.
#pragma once

#include "base/kernel_handles.h"

#include <optional>
#include <windows.h>

namespace testing_support {

class COtherProgram {
public:
    COtherProgram() = default;
    // Closes its window and waits for it to end (ends it after a deadline).
    ~COtherProgram();
    COtherProgram(const COtherProgram&) = delete;
    COtherProgram& operator=(const COtherProgram&) = delete;

    // Starts it; with a hotkey (hot key control form), the program holds that key before its window shows.
    bool Start(WORD heldHotkey = 0);
    // Its window is the foreground window, and the program has finished starting: a program still
    // busy starting handles its own activation late, under Wine, and takes the front back.
    bool IsInFront();
    HWND Window() const { return m_window; }
    // Closes its window; its exit code once it has ended, pumping meanwhile (nothing after the deadline).
    std::optional<DWORD> Close();

private:
    CKernelHandle m_process;
    DWORD m_processId = 0;
    HWND m_window = nullptr;
};

}  // namespace testing_support
