// CClipboardSession: the clipboard held open for one scope, closed when the scope ends.
#pragma once

#include <windows.h>

class CClipboardSession {
public:
    // Opens the clipboard for owner. While another program holds it open, tries again every
    // few milliseconds for up to waitMs.
    CClipboardSession(HWND owner, DWORD waitMs);
    ~CClipboardSession();
    CClipboardSession(const CClipboardSession&) = delete;
    CClipboardSession& operator=(const CClipboardSession&) = delete;

    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen = false;
};
