// GetOpenFileNameW with a text-file filter.
#include "corelib/file_chooser.h"

#include <commdlg.h>

#include <vector>

namespace {

// Pairs of name and pattern, each ended by NUL, the list ended by a second NUL.
const wchar_t kTextFileFilter[] = L"文本文件 (*.txt)\0*.txt\0所有文件 (*.*)\0*.*\0";
constexpr DWORD kPathBufferSize = 4096;

}  // namespace

CString ChooseTextFile(HWND owner)
{
    std::vector<wchar_t> path(kPathBufferSize, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kTextFileFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathBufferSize;
    // The program finds its files through its own folder, but keep its working folder as it was.
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameW(&dialog))
        return CString();
    return CString(path.data());
}
