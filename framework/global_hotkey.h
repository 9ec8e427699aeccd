// CGlobalHotkey: one system-wide hotkey registered on a window. The key is given as the hot key
// control holds it (HKM_GETHOTKEY: the virtual key in the low byte, HOTKEYF_ flags in the high
// one; 0 for none). The registration is a resource: it ends when its owner goes or is replaced.
#pragma once

#include <windows.h>

class CGlobalHotkey {
public:
    // Holds no key and no window.
    CGlobalHotkey() = default;
    // Registers hotkey on window under id (held down, it fires once). With hotkey 0 nothing is
    // registered, and the object still names the window and id for a later replacement.
    CGlobalHotkey(HWND window, int id, WORD hotkey);
    ~CGlobalHotkey();
    CGlobalHotkey(CGlobalHotkey&& other) noexcept;
    CGlobalHotkey& operator=(CGlobalHotkey&& other) noexcept;
    CGlobalHotkey(const CGlobalHotkey&) = delete;
    CGlobalHotkey& operator=(const CGlobalHotkey&) = delete;

    // Registers hotkey on the same window under the other id, so that this registration holds
    // until the new one has been taken (a key being replaced stays in effect until then).
    CGlobalHotkey Successor(WORD hotkey) const;

    HWND Window() const { return m_window; }
    int Id() const { return m_id; }
    // The key asked for, whether or not the system gave it.
    WORD Key() const { return m_key; }
    bool IsRegistered() const { return m_registered; }
    // Why the key was refused (RegisterHotKey's error, ERROR_HOTKEY_ALREADY_REGISTERED when
    // another program holds it); 0 when it is registered or none was asked for.
    DWORD Error() const { return m_error; }

private:
    void Unregister();

    HWND m_window = nullptr;
    int m_id = 0;
    WORD m_key = 0;
    bool m_registered = false;
    DWORD m_error = 0;
};
