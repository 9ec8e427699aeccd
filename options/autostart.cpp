// The Run value read, written and removed through the registry.
#include "options/autostart.h"

#include <optional>
#include <shellapi.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

// The value's text, or nothing when there is none (or it is not text).
std::optional<std::wstring> ReadRunValue()
{
    // Another tool may have written it as REG_EXPAND_SZ: its text is taken as it stands.
    const DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, types, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, types, nullptr, text.data(), &bytes) !=
        ERROR_SUCCESS)
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
    if (!on)
        return !StartsProgram(current, programPath) ||
               ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName) == ERROR_SUCCESS;
    // The Run key is made when missing.
    const DWORD bytes = static_cast<DWORD>((wanted.GetLength() + 1) * sizeof(wchar_t));
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, REG_SZ, wanted.GetString(), bytes) ==
           ERROR_SUCCESS;
}
