// The keys every program uses.
#include "options/hotkey_rules.h"

namespace {

// Select all, copy, paste, cut, undo, redo, save, find, print, new, open, close.
constexpr char kCtrlLetters[] = "ACVXZYSFPNOW";

}  // namespace

bool IsEveryProgramsKey(WORD hotkey)
{
    // HOTKEYF_EXT only tells which of two keys of the same name it was.
    const BYTE modifiers = HIBYTE(hotkey) & (HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_ALT);
    const BYTE key = LOBYTE(hotkey);
    if (modifiers == HOTKEYF_ALT)
        return key == VK_TAB || key == VK_F4;
    if (modifiers != HOTKEYF_CONTROL)
        return false;
    for (const char* letter = kCtrlLetters; *letter; ++letter)
        if (key == static_cast<BYTE>(*letter))
            return true;
    return false;
}
