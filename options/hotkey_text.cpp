// Hotkey names are built here, not asked of GetKeyNameText: its names differ between systems
// (and Wine's between keyboard drivers), while a key's character is what is printed on it.
#include "options/hotkey_text.h"

#include <commctrl.h>

namespace {

// Keys that print no character of their own.
struct NamedKey {
    UINT key;
    const wchar_t* name;
};
constexpr NamedKey kNamedKeys[] = {
    {VK_SPACE, L"Space"},    {VK_BACK, L"Backspace"}, {VK_TAB, L"Tab"},      {VK_RETURN, L"Enter"},
    {VK_ESCAPE, L"Esc"},     {VK_INSERT, L"Insert"},  {VK_DELETE, L"Delete"}, {VK_HOME, L"Home"},
    {VK_END, L"End"},        {VK_PRIOR, L"PgUp"},     {VK_NEXT, L"PgDn"},    {VK_LEFT, L"Left"},
    {VK_RIGHT, L"Right"},    {VK_UP, L"Up"},          {VK_DOWN, L"Down"},    {VK_PAUSE, L"Pause"},
    {VK_SNAPSHOT, L"PrtSc"}, {VK_SCROLL, L"ScrLk"},   {VK_NUMLOCK, L"NumLock"}, {VK_MULTIPLY, L"Num *"},
    {VK_ADD, L"Num +"},      {VK_SUBTRACT, L"Num -"}, {VK_DECIMAL, L"Num ."}, {VK_DIVIDE, L"Num /"},
};

CString KeyName(UINT key)
{
    CString name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        name.Format(L"%c", static_cast<wchar_t>(key));
        return name;
    }
    if (key >= VK_F1 && key <= VK_F24) {
        name.Format(L"F%u", key - VK_F1 + 1);
        return name;
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        name.Format(L"Num %u", key - VK_NUMPAD0);
        return name;
    }
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key)
            return named.name;
    }
    // Punctuation keys (VK_OEM_*) print what the keyboard layout puts on them; the top bit
    // only marks a dead key.
    const UINT character = ::MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFF;
    if (character > L' ')
        name.Format(L"%c", static_cast<wchar_t>(character));
    else
        name.Format(L"0x%02X", key);
    return name;
}

CString ErrorSuffix(DWORD error)
{
    CString suffix;
    suffix.Format(L"（错误 %lu）", error);
    return suffix;
}

}  // namespace

CString HotkeyName(WORD hotkey)
{
    if (hotkey == 0)
        return CString();
    const BYTE flags = HIBYTE(hotkey);
    CString name;
    if (flags & HOTKEYF_CONTROL)
        name += L"Ctrl+";
    if (flags & HOTKEYF_SHIFT)
        name += L"Shift+";
    if (flags & HOTKEYF_ALT)
        name += L"Alt+";
    return name + KeyName(LOBYTE(hotkey));
}

CString HotkeyEveryProgramsText(WORD hotkey)
{
    return HotkeyName(hotkey) + L" 是各程序通用的快捷键，请换一个。";
}

CString HotkeyRefusedText(WORD hotkey, DWORD error)
{
    if (error == ERROR_HOTKEY_ALREADY_REGISTERED)
        return L"全局热键 " + HotkeyName(hotkey) + L" 已被其他程序占用，请换一个。";
    return L"全局热键 " + HotkeyName(hotkey) + L" 无法使用" + ErrorSuffix(error) + L"，请换一个。";
}

CString HotkeyNotStartedText(WORD hotkey, DWORD error)
{
    if (error == ERROR_HOTKEY_ALREADY_REGISTERED)
        return L"全局热键 " + HotkeyName(hotkey) + L" 已被其他程序占用，未能启用。";
    return L"全局热键 " + HotkeyName(hotkey) + L" 未能启用" + ErrorSuffix(error) + L"。";
}
