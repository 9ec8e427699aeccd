// CFolderWatch: FindFirstChangeNotification on the file's folder, closed with its owner.
#include "items/teamwatcher.h"

bool CFolderWatch::Watch(const CString& filePath)
{
    Close();
    const std::wstring& path = filePath.str();
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return false;
    // The folder's own path ends in its separator only at a drive's root ("C:\").
    std::wstring folder = path.substr(0, slash + 1);
    if (folder.size() < 2 || folder.size() > 3 || folder[folder.size() - 2] != L':')
        folder.pop_back();
    // A save by rename changes names, a save in place the size and time of writing.
    m_handle = ::FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                              FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                                  FILE_NOTIFY_CHANGE_SIZE);
    return IsWatching();
}

bool CFolderWatch::Rearm()
{
    if (IsWatching() && ::FindNextChangeNotification(m_handle))
        return true;
    Close();
    return false;
}

void CFolderWatch::Close()
{
    if (IsWatching())
        ::FindCloseChangeNotification(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}
