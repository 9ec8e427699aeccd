// Values of the current user's registry, read as the tests check them.
#pragma once

#include <optional>
#include <string>
#include <windows.h>

namespace testing_support {

// A REG_SZ value under HKEY_CURRENT_USER; nothing when it is not there.
inline std::optional<std::wstring> UserRegistryText(const wchar_t* key, const wchar_t* name)
{
    wchar_t text[1024] = {};
    DWORD bytes = sizeof(text);
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

}  // namespace testing_support
