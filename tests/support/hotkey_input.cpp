// SendInput of a hotkey's keys.
#include "tests/support/hotkey_input.h"

#include <commctrl.h>

#include <vector>

namespace testing_support {

namespace {

INPUT KeyInput(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void PressKeys(WORD hotkey)
{
    std::vector<WORD> modifiers;
    const BYTE flags = HIBYTE(hotkey);
    if (flags & HOTKEYF_CONTROL)
        modifiers.push_back(VK_CONTROL);
    if (flags & HOTKEYF_SHIFT)
        modifiers.push_back(VK_SHIFT);
    if (flags & HOTKEYF_ALT)
        modifiers.push_back(VK_MENU);
    // One call: no other input comes between the keys.
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(LOBYTE(hotkey), false));
    inputs.push_back(KeyInput(LOBYTE(hotkey), true));
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        inputs.push_back(KeyInput(*modifier, true));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool HotkeyQueued(HWND receiver)
{
    MSG message;
    return ::PeekMessageW(&message, receiver, WM_HOTKEY, WM_HOTKEY, PM_NOREMOVE | PM_NOYIELD) != FALSE;
}

bool PressHotkeyFor(HWND receiver, WORD hotkey)
{
    if (HotkeyQueued(receiver))
        return false;
    constexpr int kPresses = 5;
    for (int press = 0; press < kPresses; ++press) {
        PressKeys(hotkey);
        if (HotkeyQueued(receiver))
            return true;
    }
    return false;
}

}  // namespace testing_support
