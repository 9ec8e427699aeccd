// Runs a dialog modally while a script drives it, and collects how the run ended.
#pragma once

#include "framework/dialog.h"
#include "tests/support/modal_script.h"
#include "tests/support/testdb.h"

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

}  // namespace testing_support
