// CModalScript: timer-driven steps.
#include "tests/support/modal_script.h"

#include <map>

namespace testing_support {

namespace {

std::map<UINT_PTR, CModalScript*>& Scripts()
{
    static std::map<UINT_PTR, CModalScript*> scripts;
    return scripts;
}

}  // namespace

CModalScript::~CModalScript()
{
    Stop();
}

CModalScript& CModalScript::Then(std::function<bool()> step, DWORD timeoutMs, std::string name)
{
    if (name.empty())
        name = "step " + std::to_string(m_steps.size() + 1);
    m_steps.push_back(Step{std::move(step), timeoutMs, std::move(name)});
    return *this;
}

void CModalScript::Start()
{
    Stop();
    m_next = 0;
    m_failed = false;
    m_stepStarted = ::GetTickCount();
    m_timer = ::SetTimer(nullptr, 0, 10, &CModalScript::OnTimer);
    Scripts()[m_timer] = this;
}

void CModalScript::Stop()
{
    if (m_timer) {
        ::KillTimer(nullptr, m_timer);
        Scripts().erase(m_timer);
        m_timer = 0;
    }
}

void CALLBACK CModalScript::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = Scripts().find(id);
    if (found != Scripts().end())
        found->second->Tick();
}

void CModalScript::Tick()
{
    if (m_running)
        return;
    if (Finished()) {
        Stop();
        return;
    }
    m_running = true;
    bool done = m_steps[m_next].run();
    m_running = false;
    if (done) {
        ++m_next;
        m_stepStarted = ::GetTickCount();
        if (Finished())
            Stop();
        return;
    }
    if (::GetTickCount() - m_stepStarted > m_steps[m_next].timeoutMs) {
        m_failed = true;
        m_failedStep = m_steps[m_next].name;
        m_next = m_steps.size();
        Stop();
        ::PostQuitMessage(kScriptTimeoutExitCode);
    }
}

}  // namespace testing_support
