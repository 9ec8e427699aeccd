// The Run value read, written and removed through the registry.
#include "options/autostart.h"

#include "base/unique_handle.h"

#include <optional>
#include <shellapi.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

struct CRegKeyTraits : CNullHandleTraits<HKEY> {
    static void Close(Handle key) noexcept { ::RegCloseKey(key); }
};
using CRegKey = CUniqueHandle<CRegKeyTraits>;

// The value's text, or nothing when there is none (or it is not text).
std::optional<std::wstring> ReadRunValue()
{
    CRegKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(key.Get(), kRunValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.Get(), kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                           &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text.data());
}

// The program a command line starts: its first argument, quoted or not.
std::wstring ProgramOf(const std::wstring& command)
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(command.c_str(), &count);
    if (!arguments)
        return std::wstring();
    std::wstring program = count > 0 ? arguments[0] : L"";
    ::LocalFree(arguments);
    return program;
}

bool StartsProgram(const std::optional<std::wstring>& command, const CString& programPath)
{
    // Windows paths ignore case: a value written as C:\Users\… starts c:\users\… all the same.
    return command && !command->empty() &&
           ::CompareStringOrdinal(ProgramOf(*command).c_str(), -1, programPath.GetString(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

CString AutoStartCommand(const CString& programPath)
{
    return L"\"" + programPath + L"\" /min";
}

bool IsAutoStartOn(const CString& programPath)
{
    return StartsProgram(ReadRunValue(), programPath);
}

bool SetAutoStart(const CString& programPath, bool on)
{
    const std::optional<std::wstring> current = ReadRunValue();
    const CString wanted = AutoStartCommand(programPath);
    if (on && current && *current == wanted.GetString())
        return true;
    if (!on && !StartsProgram(current, programPath))
        return true;
    CRegKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    if (!on)
        return ::RegDeleteValueW(key.Get(), kRunValueName) == ERROR_SUCCESS;
    const DWORD bytes = static_cast<DWORD>((wanted.GetLength() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.Get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(wanted.GetString()),
                            bytes) == ERROR_SUCCESS;
}
