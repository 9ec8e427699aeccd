// CCore: each operation over the small helper that does its job.
#include "corelib/core.h"

#include "base/connstr.h"
#include "base/text_walk.h"
#include "corelib/about_box.h"
#include "corelib/clipboard_text.h"
#include "corelib/file_chooser.h"
#include "corelib/list_columns.h"
#include "corelib/product_name.h"
#include "corelib/program_path.h"
#include "corelib/settings_file.h"
#include "corelib/time_text.h"
#include "framework/listctrl.h"

CCore::CCore() : m_configPath(SettingsPathOf(ProgramFilePath()))
{
}

CCore::~CCore() = default;

void CCore::autoFileConfig()
{
    // If the folder is read-only the settings simply read as 0; nothing to report here.
    EnsureSettingsFile(m_configPath);
}

CString CCore::getAppPath()
{
    return FolderOfPath(ProgramFilePath());
}

int CCore::getConfigB(CString key)
{
    return ReadSettingsFlag(m_configPath, key);
}

bool CCore::saveConfigB(CString key, int value)
{
    return WriteSettingsFlag(m_configPath, key, value);
}

std::optional<CString> CCore::getConfigS(CString key)
{
    return ReadSettingsText(m_configPath, key);
}

bool CCore::saveConfigS(CString key, CString value)
{
    return WriteSettingsText(m_configPath, key, value);
}

int CCore::isFileExist(CString path)
{
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

CString CCore::getDbConnStrMdb(CString path)
{
    return BuildConnectionString(path);
}

void CCore::msgboxWarning(HWND owner, CString text)
{
    ::MessageBoxW(owner, text, kProductName, MB_OK | MB_ICONWARNING);
}

int CCore::msgboxConfirm(HWND owner, CString text)
{
    return ::MessageBoxW(owner, text, kProductName, MB_YESNO | MB_ICONQUESTION);
}

bool CCore::toClipboard(HWND owner, CString text)
{
    return PutTextOnClipboard(owner, text);
}

CString CCore::getTimeNowStr(CString format)
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    return FormatTime(now, format);
}

CString CCore::getStrInt(int value)
{
    CString text;
    text.Format(L"%d", value);
    return text;
}

void CCore::listInit(CListCtrl& list, CString columns, int checkBoxes)
{
    SetUpReportList(list, ParseColumnSpec(columns), checkBoxes != 0);
}

void CCore::trimStrTail(CString& text)
{
    // The last character, which may be a surrogate pair: never leave half a character behind.
    int last = LastCharStart(text);
    if (last >= 0)
        text = text.Left(last);
}

CString CCore::fileTxtOpen()
{
    // Owned by the window the user is working in, so that it cannot be used meanwhile.
    return ChooseTextFile(::GetActiveWindow());
}

CString CCore::uu(tagOprType operation, tagSoft* soft, CString)
{
    if (operation == OPR_ABOUT)
        ShowAboutBox(::GetActiveWindow(), soft);
    return CString();
}
