// Finding and answering the message boxes (and other system dialogs) a test's code opens.
#pragma once

#include <string>
#include <windows.h>

namespace testing_support {

// A visible dialog-class (#32770) window of this thread that no framework object owns:
// a message box or a common dialog. Null when there is none.
HWND FindSystemDialog();

// The message text of a message box (its static control 0xFFFF).
std::wstring MessageBoxText(HWND box);

// Presses a button of the box (IDOK, IDYES, IDNO, IDCANCEL).
void AnswerMessageBox(HWND box, int buttonId);

}  // namespace testing_support
