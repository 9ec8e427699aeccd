// Drives modal UI (DoModal, message boxes, pop-up menus) from inside its own loop: steps run
// from a thread timer, which every modal loop dispatches.
//
//   CModalScript script;
//   script.Then([&] { return dlg.m_hWnd != nullptr; })          // wait for the dialog
//         .Then([&] { ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDOK, 0); return true; });
//   script.Start();
//   dlg.DoModal();
//   EXPECT_TRUE(script.Succeeded());
//
// A step returns true when it is done and false to be tried again 10 ms later. A step that is
// not done within its deadline fails the script, which then ends every modal loop with
// PostQuitMessage(kScriptTimeoutExitCode) so that the test cannot hang.
#pragma once

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace testing_support {

constexpr int kScriptTimeoutExitCode = 77;

class CModalScript {
public:
    CModalScript() = default;
    ~CModalScript();
    CModalScript(const CModalScript&) = delete;
    CModalScript& operator=(const CModalScript&) = delete;

    CModalScript& Then(std::function<bool()> step, DWORD timeoutMs = 5000, std::string name = {});
    void Start();
    void Stop();

    bool Finished() const { return m_next >= m_steps.size(); }
    bool Failed() const { return m_failed; }
    bool Succeeded() const { return Finished() && !m_failed; }
    // Name (or number) of the step that timed out.
    const std::string& FailedStep() const { return m_failedStep; }

private:
    struct Step {
        std::function<bool()> run;
        DWORD timeoutMs;
        std::string name;
    };
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    void Tick();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_stepStarted = 0;
    UINT_PTR m_timer = 0;
    bool m_running = false;  // re-entry guard: a step may itself open a modal loop
    bool m_failed = false;
    std::string m_failedStep;
};

}  // namespace testing_support
