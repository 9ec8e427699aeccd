// The team file's path: tidied and checked for its form, without touching the file.
#include "options/teampath.h"

#include <cwctype>
#include <string>
#include <string_view>

CString TidyTeamPath(const CString& typed)
{
    std::wstring path = typed.str();
    auto blank = [](wchar_t ch) { return std::iswspace(ch) != 0; };
    while (!path.empty() && blank(path.back()))
        path.pop_back();
    size_t start = 0;
    while (start < path.size() && blank(path[start]))
        ++start;
    path.erase(0, start);
    // Explorer's "copy as path" quotes it.
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    return CString(std::move(path));
}

bool IsWellFormedTeamPath(const CString& path)
{
    const std::wstring& text = path.str();
    if (text.empty())
        return true;
    const bool onDrive = text.size() > 3 && std::iswalpha(text[0]) && text[1] == L':' && text[2] == L'\\';
    const bool onShare = text.size() > 4 && text.compare(0, 2, L"\\\\") == 0 && text[2] != L'\\';
    if (!onDrive && !onShare)
        return false;
    if (text.back() == L'\\' || text.back() == L'/')
        return false;  // a folder, not a file
    for (size_t i = onDrive ? 2 : 0; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (ch < 0x20 || std::wstring_view(L"<>\"|?*:").find(ch) != std::wstring_view::npos)
            return false;
    }
    // Two separators in a row after the share's name: an empty folder name.
    return text.find(L"\\\\", 2) == std::wstring::npos;
}
