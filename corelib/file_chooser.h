// The system's file dialogs: opening a text file, saving a CSV file.
#pragma once

#include "base/cstring.h"

#include <windows.h>

// The full path of the chosen file, or "" when the user cancels (or the dialog cannot open).
CString ChooseTextFile(HWND owner);
// The full path to save a CSV file at, proposing defaultName (in the folder the dialog last
// showed); "" when the user cancels. An existing file is replaced only once the user agrees.
CString ChooseCsvSaveFile(HWND owner, const CString& defaultName);
