// INI settings, read and written by this library itself: a damaged line reads 0, other lines stay.
#include "corelib/settings_file.h"

#include "base/kernel_handles.h"
#include "base/text_codec.h"
#include "base/text_walk.h"
#include "framework/stdiofile.h"

#include <windows.h>

#include <string>
#include <vector>

const wchar_t* const kSettingsSection = L"Settings";

namespace {

// A key must stay one key in "key=value" lines: no separators, brackets or line breaks.
bool IsUsableKey(const CString& key)
{
    if (key.IsEmpty())
        return false;
    for (int i = 0; i < key.GetLength(); i += CharLengthAt(key, i)) {
        wchar_t ch = key[i];
        if (ch == L'=' || ch == L'[' || ch == L']' || ch == L';' || ch == L'\r' || ch == L'\n' || ch == L'\0')
            return false;
    }
    return true;
}

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t';
}

CString Trimmed(const CString& text)
{
    int first = 0;
    int end = text.GetLength();
    while (first < end && IsBlank(text[first]))
        ++first;
    while (end > first && IsBlank(text[end - 1]))
        --end;
    return text.Mid(first, end - first);
}

bool SameName(const CString& a, const CString& b)
{
    return a.GetLength() == b.GetLength() && ::lstrcmpiW(a, b) == 0;
}

// "[name]" gives name; false for any other line.
bool SectionNameOf(const CString& line, CString* name)
{
    CString text = Trimmed(line);
    if (text.GetLength() < 2 || text[0] != L'[' || text[text.GetLength() - 1] != L']')
        return false;
    *name = Trimmed(text.Mid(1, text.GetLength() - 2));
    return true;
}

// "key=value" gives both, trimmed; false for any other line.
bool EntryOf(const CString& line, CString* key, CString* value)
{
    int equals = line.Find(L'=');
    if (equals <= 0)
        return false;
    *key = Trimmed(line.Left(equals));
    *value = Trimmed(line.Mid(equals + 1));
    return !key->IsEmpty();
}

// A whole decimal number, optionally signed; anything else is not a stored flag.
bool IsWholeNumber(const CString& text, bool* nonzero)
{
    int i = 0;
    if (i < text.GetLength() && (text[i] == L'-' || text[i] == L'+'))
        ++i;
    if (i == text.GetLength())
        return false;
    *nonzero = false;
    for (; i < text.GetLength(); ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        if (text[i] != L'0')
            *nonzero = true;
    }
    return true;
}

std::vector<CString> ReadLines(const CString& path)
{
    std::vector<CString> lines;
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeRead | CStdioFile::typeText))
        return lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(line);
    return lines;
}

// Where the entry for key is within the section (-1 when absent), and the line after the
// section's last line (-1 when there is no such section).
struct EntryPlace {
    int entryLine = -1;
    int sectionEnd = -1;
};

EntryPlace FindEntry(const std::vector<CString>& lines, const CString& key)
{
    EntryPlace place;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        CString name;
        CString entryKey;
        CString value;
        if (SectionNameOf(lines[i], &name)) {
            inSection = SameName(name, kSettingsSection);
        } else if (inSection && place.entryLine < 0 && EntryOf(lines[i], &entryKey, &value) &&
                   SameName(entryKey, key)) {
            place.entryLine = static_cast<int>(i);
        }
        if (inSection)
            place.sectionEnd = static_cast<int>(i) + 1;
    }
    return place;
}

bool WriteWholeFile(const CString& path, const std::string& bytes)
{
    CFileHandle file(
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(bytes.size());
    return ::WriteFile(file.Get(), bytes.data(), size, &written, nullptr) && written == size &&
           ::FlushFileBuffers(file.Get());
}

// Writes beside the file first and then puts the new file in its place.
bool ReplaceFile(const CString& path, const std::string& bytes)
{
    CString temporary = path + L".new";
    if (!WriteWholeFile(temporary, bytes)) {
        ::DeleteFileW(temporary);
        return false;
    }
    if (!::MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary);
        return false;
    }
    return true;
}

}  // namespace

CString SettingsPathOf(const CString& programPath)
{
    CString folder = FolderOfPath(programPath);
    CString name = programPath.Mid(folder.GetLength());
    int dot = -1;
    for (int i = 0; i < name.GetLength(); i += CharLengthAt(name, i)) {
        if (name[i] == L'.')
            dot = i;
    }
    return folder + (dot < 0 ? name : name.Left(dot)) + L".ini";
}

bool EnsureSettingsFile(const CString& path)
{
    CFileHandle file(::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsValid() || ::GetLastError() == ERROR_FILE_EXISTS;
}

std::optional<CString> ReadSettingsText(const CString& path, const CString& key)
{
    if (path.IsEmpty() || !IsUsableKey(key))
        return std::nullopt;
    std::vector<CString> lines = ReadLines(path);
    EntryPlace place = FindEntry(lines, key);
    if (place.entryLine < 0)
        return std::nullopt;
    CString entryKey;
    CString value;
    EntryOf(lines[static_cast<size_t>(place.entryLine)], &entryKey, &value);
    return value;
}

int ReadSettingsFlag(const CString& path, const CString& key)
{
    std::optional<CString> value = ReadSettingsText(path, key);
    bool nonzero = false;
    return value && IsWholeNumber(*value, &nonzero) && nonzero ? 1 : 0;
}

bool WriteSettingsText(const CString& path, const CString& key, const CString& value)
{
    if (path.IsEmpty() || !IsUsableKey(key) || value.Find(L'\r') >= 0 || value.Find(L'\n') >= 0)
        return false;
    std::vector<CString> lines = ReadLines(path);
    EntryPlace place = FindEntry(lines, key);
    CString entry = key + L"=" + value;
    if (place.entryLine >= 0) {
        lines[static_cast<size_t>(place.entryLine)] = entry;
    } else if (place.sectionEnd >= 0) {
        lines.insert(lines.begin() + place.sectionEnd, entry);
    } else {
        lines.push_back(CString(L"[") + kSettingsSection + L"]");
        lines.push_back(entry);
    }
    CString text;
    for (const CString& line : lines)
        text += line + L"\r\n";
    return ReplaceFile(path, WideToUtf8(text.str()));
}

bool WriteSettingsFlag(const CString& path, const CString& key, int value)
{
    return WriteSettingsText(path, key, value ? L"1" : L"0");
}
