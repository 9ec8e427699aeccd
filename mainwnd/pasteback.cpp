// Pasting into another program's window: its rights, and Ctrl+V by SendInput.
#include "mainwnd/pasteback.h"

#include "framework/afxwin.h"
#include "mainwnd/statusline.h"

#include "base/kernel_handles.h"

#include <vector>

namespace {

// The integrity level of a process's token (its mandatory label's last RID); -1 when unknown.
long IntegrityLevelOf(HANDLE process)
{
    CKernelHandle token;
    if (!::OpenProcessToken(process, TOKEN_QUERY, token.Put()))
        return -1;
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size == 0)
        return -1;
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token.Get(), TokenIntegrityLevel, buffer.data(), size, &size))
        return -1;
    auto* label = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data());
    const DWORD count = *::GetSidSubAuthorityCount(label->Label.Sid);
    return count > 0 ? static_cast<long>(*::GetSidSubAuthority(label->Label.Sid, count - 1)) : -1;
}

INPUT Key(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

PasteObstacle PasteObstacleOf(const CPreviousWindow* previous)
{
    if (previous && previous->CameFromDesktop())
        return PasteObstacle::Desktop;
    return PasteObstacleOf(previous ? previous->Get() : nullptr);
}

PasteObstacle PasteObstacleOf(HWND target)
{
    if (!target || !::IsWindow(target))
        return PasteObstacle::NoWindow;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(target, &processId);
    CKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    // A process this one may not even look at runs with more rights (an administrator's).
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED ? PasteObstacle::MoreRights : PasteObstacle::None;
    const long theirs = IntegrityLevelOf(process.Get());
    const long ours = IntegrityLevelOf(::GetCurrentProcess());
    return theirs > ours && ours >= 0 ? PasteObstacle::MoreRights : PasteObstacle::None;
}

bool IsReadyForKeys(HWND target)
{
    if (!target || ::GetForegroundWindow() != target)
        return false;
    // Its thread takes the activation a moment after the system puts it in front.
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof(thread);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(target, nullptr), &thread))
        return false;
    return thread.hwndActive == target && thread.hwndFocus &&
           (thread.hwndFocus == target || ::IsChild(target, thread.hwndFocus));
}

std::vector<INPUT> PasteKeys(const std::vector<WORD>& held)
{
    std::vector<INPUT> keys;
    for (WORD key : held) {
        if (key == VK_LMENU || key == VK_RMENU || key == VK_LWIN || key == VK_RWIN) {
            keys.push_back(Key(kNeutralKey, false));
            keys.push_back(Key(kNeutralKey, true));
            break;
        }
    }
    for (WORD key : held)
        keys.push_back(Key(key, true));
    keys.push_back(Key(VK_CONTROL, false));
    keys.push_back(Key('V', false));
    keys.push_back(Key('V', true));
    keys.push_back(Key(VK_CONTROL, true));
    return keys;
}

bool SendPasteKeys()
{
    std::vector<WORD> held;
    for (WORD key : {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN}) {
        if (::GetAsyncKeyState(key) & 0x8000)
            held.push_back(key);
    }
    std::vector<INPUT> keys = PasteKeys(held);
    return ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

namespace {

constexpr wchar_t kPasteNoWindow[] = L"原来的窗口已关闭，未能粘贴，内容已复制到剪贴板。";
constexpr wchar_t kPasteFromDesktop[] = L"原来在桌面，没有可以粘贴的窗口，内容已复制到剪贴板。";
constexpr wchar_t kPasteNotInFront[] = L"原来的窗口未能回到前面，未能粘贴，内容已复制到剪贴板。";
constexpr wchar_t kPasteMoreRights[] =
    L"原来的窗口以更高的权限运行，Windows 不允许向其中粘贴，内容已复制到剪贴板。";
constexpr wchar_t kPasteKeysRefused[] = L"系统未接受按键，未能粘贴，内容已复制到剪贴板。";

}  // namespace

void CPasteBack::Attach(CWnd* main, CStatusLine* status, UINT_PTR timerId)
{
    m_main = main;
    m_status = status;
    m_timerId = timerId;
}

void CPasteBack::Start(const CPreviousWindow* previous)
{
    const HWND target = previous ? previous->Get() : nullptr;
    switch (PasteObstacleOf(previous)) {
    case PasteObstacle::NoWindow:
        Fail(kPasteNoWindow);
        return;
    case PasteObstacle::Desktop:
        Fail(kPasteFromDesktop);
        return;
    case PasteObstacle::MoreRights:
        Fail(kPasteMoreRights);
        return;
    case PasteObstacle::None:
        break;
    }
    m_main->ShowWindow(SW_MINIMIZE);
    if (::IsIconic(target))
        ::ShowWindow(target, SW_RESTORE);
    ::SetForegroundWindow(target);
    // The keys go only once the window is in front: before, they would reach whatever is.
    m_target = target;
    m_ticks = 0;
    OnTimer();
}

void CPasteBack::OnTimer()
{
    const HWND target = m_target;
    if (!target)
        return;
    const bool lastTick = ++m_ticks >= kTicks;
    // A window that is in front but has not yet given its keyboard focus out would lose the keys;
    // at the end of the wait, being in front is enough.
    if (IsReadyForKeys(target) || (lastTick && ::GetForegroundWindow() == target)) {
        m_target = nullptr;
        if (!SendPasteKeys())
            Fail(kPasteKeysRefused);
        return;
    }
    if (!::IsWindow(target) || lastTick) {
        m_target = nullptr;
        Fail(::IsWindow(target) ? kPasteNotInFront : kPasteNoWindow);
        return;
    }
    m_main->SetTimer(m_timerId, kTickMs);
}

void CPasteBack::Cancel()
{
    m_target = nullptr;
    if (m_main && m_main->m_hWnd)
        m_main->KillTimer(m_timerId);
}

void CPasteBack::Fail(const wchar_t* text)
{
    if (m_main->IsIconic()) {
        m_main->ShowWindow(SW_RESTORE);
        m_main->SetForegroundWindow();
    }
    // Said until the next copy: a second is too short to read why.
    m_status->SayUntilNext(text);
}
