// Finding and answering the message boxes (and other system dialogs) a test's code opens.
#pragma once

#include <functional>
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

// A message box a script saw, as it stood before it was answered.
struct SeenBox {
    bool seen = false;
    HWND box = nullptr;
    HWND owner = nullptr;
    std::wstring caption;
    std::wstring text;
};
// A script step that waits for the next message box, records it into seen and presses button.
std::function<bool()> AnswerBox(SeenBox& seen, int button = IDOK);

}  // namespace testing_support
