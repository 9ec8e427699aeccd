// Test helper: another process that holds the clipboard open.
//   clipboard_holder EVENT_PREFIX HOLD_MS hold|takeover
// The events are EVENT_PREFIX followed by -ready and -release (and, for takeover, -started and
// -go), created by the test.
// hold: opens the clipboard, sets -ready, keeps it open until -release is set or HOLD_MS have
// passed, then closes it.
// takeover: opens and closes the clipboard once (its first open syncs with the display's
// clipboard), sets -started and waits for -go; then opens it, sets -ready, empties it (which
// makes the owner's thread answer WM_DESTROYCLIPBOARD), puts "holder" on it and holds it as above.
// While waiting it answers what is sent to it, as a well-behaved program does.
// Exit code 0; 1 for bad arguments; 2 when the clipboard could not be opened or filled.
#include "base/kernel_handles.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

CKernelHandle OpenNamedEvent(const std::wstring& prefix, const wchar_t* name)
{
    return CKernelHandle(::OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, (prefix + name).c_str()));
}

// Waits for the event or the time, answering sent messages meanwhile.
void WaitAnswering(const CKernelHandle& waitFor, DWORD ms)
{
    DWORD start = ::GetTickCount();
    for (DWORD waited = 0; waited < ms; waited = ::GetTickCount() - start) {
        HANDLE event = waitFor.Get();
        DWORD woke = ::MsgWaitForMultipleObjects(1, &event, FALSE, ms - waited, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + 1)
            return;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

bool PutHolderText()
{
    CGlobalMemory block = GlobalCopy(L"holder", sizeof(L"holder"));
    if (!block || !::SetClipboardData(CF_UNICODETEXT, block.Get()))
        return false;
    block.Release();  // the clipboard owns it now
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 1;
    // The test names its events in ASCII, the same bytes in every code page.
    const std::string prefixBytes = argv[1];
    const std::wstring prefix(prefixBytes.begin(), prefixBytes.end());
    DWORD holdMs = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    bool takeover = std::strcmp(argv[3], "takeover") == 0;
    CKernelHandle ready = OpenNamedEvent(prefix, L"-ready");
    CKernelHandle release = OpenNamedEvent(prefix, L"-release");
    if (!ready || !release)
        return 1;
    // A window of its own, so that the test can see who has the clipboard open.
    HWND window = ::CreateWindowExW(0, L"STATIC", L"clipboard holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
    if (takeover) {
        CKernelHandle started = OpenNamedEvent(prefix, L"-started");
        CKernelHandle go = OpenNamedEvent(prefix, L"-go");
        if (!started || !go || !::OpenClipboard(window))
            return 2;
        ::CloseClipboard();
        ::SetEvent(started.Get());
        WaitAnswering(go, INFINITE);
    }
    if (!::OpenClipboard(window))
        return 2;
    ::SetEvent(ready.Get());
    if (takeover && (!::EmptyClipboard() || !PutHolderText())) {
        ::CloseClipboard();
        return 2;
    }
    WaitAnswering(release, holdMs);
    ::CloseClipboard();
    ::DestroyWindow(window);
    return 0;
}
