// CGlobalHotkey: RegisterHotKey and UnregisterHotKey, one registration per object.
#include "framework/global_hotkey.h"

#include <commctrl.h>

#include <utility>

namespace {

// The hot key control's modifier flags in RegisterHotKey's terms; HOTKEYF_EXT only tells which
// of two keys of the same name was pressed, and the virtual key already says that.
UINT ModifiersOf(WORD hotkey)
{
    const BYTE flags = HIBYTE(hotkey);
    UINT modifiers = MOD_NOREPEAT;
    if (flags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    return modifiers;
}

}  // namespace

CGlobalHotkey::CGlobalHotkey(HWND window, int id, WORD hotkey) : m_window(window), m_id(id), m_key(hotkey)
{
    if (hotkey == 0)
        return;
    m_registered = ::RegisterHotKey(window, id, ModifiersOf(hotkey), LOBYTE(hotkey)) != FALSE;
    // A refusal always carries a reason: one the system did not give still must not read as success.
    m_error = m_registered ? 0 : ::GetLastError();
    if (!m_registered && m_error == 0)
        m_error = ERROR_INVALID_PARAMETER;
}

CGlobalHotkey::~CGlobalHotkey()
{
    Unregister();
}

CGlobalHotkey::CGlobalHotkey(CGlobalHotkey&& other) noexcept
    : m_window(other.m_window), m_id(other.m_id), m_key(other.m_key),
      m_registered(std::exchange(other.m_registered, false)), m_error(other.m_error)
{
}

CGlobalHotkey& CGlobalHotkey::operator=(CGlobalHotkey&& other) noexcept
{
    if (this != &other) {
        Unregister();
        m_window = other.m_window;
        m_id = other.m_id;
        m_key = other.m_key;
        m_registered = std::exchange(other.m_registered, false);
        m_error = other.m_error;
    }
    return *this;
}

CGlobalHotkey CGlobalHotkey::Successor(WORD hotkey) const
{
    // Two ids take turns: the system keeps a window's registrations apart by id.
    return CGlobalHotkey(m_window, m_id ^ 1, hotkey);
}

void CGlobalHotkey::Unregister()
{
    if (m_registered)
        ::UnregisterHotKey(m_window, m_id);
    m_registered = false;
}
