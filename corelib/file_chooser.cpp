// GetOpenFileNameW with a text-file filter, GetSaveFileNameW with a CSV one.
#include "corelib/file_chooser.h"

#include <commdlg.h>

#include <vector>

namespace {

// Pairs of name and pattern, each ended by NUL, the list ended by a second NUL. CSV files are
// text files too: the import reads the items file back.
const wchar_t kTextFileFilter[] = L"文本文件 (*.txt;*.csv)\0*.txt;*.csv\0所有文件 (*.*)\0*.*\0";
const wchar_t kCsvFileFilter[] = L"CSV (*.csv)\0*.csv\0";
constexpr DWORD kPathBufferSize = 4096;

// What both dialogs share; path is the buffer the chosen path comes back in.
OPENFILENAMEW FileDialog(HWND owner, const wchar_t* filter, std::vector<wchar_t>& path)
{
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    // The program finds its files through its own folder, but keep its working folder as it was.
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return dialog;
}

}  // namespace

CString ChooseTextFile(HWND owner)
{
    std::vector<wchar_t> path(kPathBufferSize, L'\0');
    OPENFILENAMEW dialog = FileDialog(owner, kTextFileFilter, path);
    dialog.Flags |= OFN_FILEMUSTEXIST;
    if (!::GetOpenFileNameW(&dialog))
        return CString();
    return CString(path.data());
}

CString ChooseCsvSaveFile(HWND owner, const CString& defaultName)
{
    std::vector<wchar_t> path(kPathBufferSize, L'\0');
    defaultName.str().copy(path.data(), kPathBufferSize - 1);
    OPENFILENAMEW dialog = FileDialog(owner, kCsvFileFilter, path);
    dialog.lpstrDefExt = L"csv";  // a name typed without an ending gets .csv
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (!::GetSaveFileNameW(&dialog))
        return CString();
    return CString(path.data());
}
