// CClipboardSession: OpenClipboard with retries, CloseClipboard on the way out.
#include "corelib/clipboard_session.h"

namespace {

constexpr DWORD kRetryIntervalMs = 10;

// Waits up to ms, answering what other programs send this thread meanwhile: the program that
// holds the clipboard may be waiting on us (WM_DESTROYCLIPBOARD when it empties the clipboard we
// own, or a request for our clipboard data). Posted messages stay queued: no re-entry.
void WaitAnsweringSentMessages(DWORD ms)
{
    DWORD start = ::GetTickCount();
    for (DWORD waited = 0; waited < ms; waited = ::GetTickCount() - start) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - waited, QS_SENDMESSAGE) != WAIT_OBJECT_0)
            return;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

CClipboardSession::CClipboardSession(HWND owner, DWORD waitMs)
{
    DWORD start = ::GetTickCount();
    while (!(m_bOpen = ::OpenClipboard(owner) != FALSE)) {
        DWORD waited = ::GetTickCount() - start;
        if (waited >= waitMs)
            return;
        WaitAnsweringSentMessages(waitMs - waited < kRetryIntervalMs ? waitMs - waited : kRetryIntervalMs);
    }
}

CClipboardSession::~CClipboardSession()
{
    if (m_bOpen)
        ::CloseClipboard();
}
