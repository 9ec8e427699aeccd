// The system's open-file dialog for text files.
#pragma once

#include "base/cstring.h"

#include <windows.h>

// The full path of the chosen file, or "" when the user cancels (or the dialog cannot open).
CString ChooseTextFile(HWND owner);
