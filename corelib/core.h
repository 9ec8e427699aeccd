// CCore: settings, paths, message boxes, clipboard, time text, list set-up, file chooser, about.
#pragma once

#include "corelib/soft.h"
#include "base/cstring.h"

#include <optional>
#include <string>
#include <windows.h>

class CListCtrl;

enum tagOprType {
    OPR_ABOUT = 4,
};

class CCore {
public:
    CCore();
    ~CCore();
    CCore(const CCore&) = delete;
    CCore& operator=(const CCore&) = delete;

    // Prepares the settings file beside the program; call once before any setting is read.
    void autoFileConfig();
    // The program's folder, ending in a backslash.
    CString getAppPath();
    // The flag stored under key; 0 when it is missing or unreadable.
    int getConfigB(CString key);
    // Stores 1 for nonzero, else 0. False when the key is unusable or the file cannot be written.
    bool saveConfigB(CString key, int value);
    // The text stored under key; nothing when it is missing or unreadable.
    std::optional<CString> getConfigS(CString key);
    // Stores text under key. False when the key or text would break its line, or the file cannot
    // be written.
    bool saveConfigS(CString key, CString value);
    int isFileExist(CString path);
    // The connection string for the item database at path.
    CString getDbConnStrMdb(CString path);

    void msgboxWarning(HWND owner, CString text);
    // IDYES (6) for yes.
    int msgboxConfirm(HWND owner, CString text);
    // Puts text on the clipboard, owned by owner. Waits up to about a second for another program
    // to let go of the clipboard. True when it now holds the text.
    bool toClipboard(HWND owner, CString text);

    // Local time as "YYYY-MM-DD HH:MM:SS" for the format "".
    CString getTimeNowStr(CString format);
    CString getStrInt(int value);
    // Report columns from "title,width,title,width..." and, with checkBoxes 1, a check box per row.
    void listInit(CListCtrl& list, CString columns, int checkBoxes);
    // Removes the last character (a trailing separator); leaves "" empty.
    void trimStrTail(CString& text);
    // Lets the user choose a text file: its full path, or "" when cancelled.
    CString fileTxtOpen();
    // Operation OPR_ABOUT shows the about box for the descriptor; the result is "".
    CString uu(tagOprType operation, tagSoft* soft, CString text);

private:
    CString m_configPath;
};
