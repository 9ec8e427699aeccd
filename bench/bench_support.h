// What the benchmark programs share: a clock, the folder they run from, and UTF-8 for SQLite.
#pragma once

#include "base/text_codec.h"

#include <windows.h>

#include <string>

namespace bench {

// Seconds on the performance counter.
inline double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The program's own folder, ending in a backslash.
inline std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Text as SQLite takes it.
inline std::string ToUtf8(const std::wstring& text)
{
    return WideToUtf8(text);
}

// When this thread next creates the text of a message box (its static control 0xFFFF): the box that
// closes an import or an export, while it is being made. Set to 0 before the press; the hook is
// installed with SetWindowsHookExW(WH_CBT, &NoteBoxCreation, nullptr, GetCurrentThreadId()).
inline double g_boxCreated = 0;
inline LRESULT CALLBACK NoteBoxCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_boxCreated == 0 &&
        reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hMenu == reinterpret_cast<HMENU>(0xFFFF))
        g_boxCreated = Now();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace bench
