// Runs a dialog modally while a script drives it, and collects how the run ended.
#pragma once

#include "framework/dialog.h"
#include "tests/support/modal_script.h"

#include <optional>
#include <string>

namespace testing_support {

struct ModalOutcome {
    INT_PTR result = 0;           // what DoModal returned
    std::optional<int> quitCode;  // the exit code of the WM_QUIT the run left behind
};

// Starts the script, runs the dialog until it ends, and takes the WM_QUIT it left (so that the
// next test does not end at once).
ModalOutcome RunModal(CDialog& dialog, CModalScript& script);

// The test program's folder, which is also the application directory CCore reports; ends in a
// backslash.
std::string ProgramFolder();

}  // namespace testing_support
