// The hotkey setting as a decimal number.
#include "options/hotkey_setting.h"

#include "options/hotkey_rules.h"

#include <optional>

namespace {

// The stored text as a hotkey: digits only, at most a WORD, and a key in the low byte unless it
// is 0 (none). Nothing for any other text.
std::optional<WORD> ParseHotkey(const CString& text)
{
    if (text.IsEmpty())
        return WORD{0};
    DWORD value = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return std::nullopt;
        value = value * 10 + static_cast<DWORD>(text[i] - L'0');
        if (value > 0xFFFF)
            return std::nullopt;
    }
    if (value != 0 && LOBYTE(value) == 0)
        return std::nullopt;
    return static_cast<WORD>(value);
}

}  // namespace

WORD ReadHotkeySetting(CCore& core)
{
    std::optional<CString> stored = core.getConfigS(kHotkeyKey);
    if (!stored)
        return kDefaultHotkey;
    // A value damaged by hand gives the default back rather than silently no hotkey at all; so does a
    // key every program uses (an earlier field made a plain "a" Ctrl+A), which is never taken.
    const std::optional<WORD> hotkey = ParseHotkey(*stored);
    return hotkey && !IsEveryProgramsKey(*hotkey) ? *hotkey : kDefaultHotkey;
}

bool SaveHotkeySetting(CCore& core, WORD hotkey)
{
    return core.saveConfigS(kHotkeyKey, core.getStrInt(hotkey));
}
