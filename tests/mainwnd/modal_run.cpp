// RunModal.
#include "tests/mainwnd/modal_run.h"

#include "tests/support/pump.h"

namespace testing_support {

ModalOutcome RunModal(CDialog& dialog, CModalScript& script)
{
    ModalOutcome outcome;
    script.Start();
    outcome.result = dialog.DoModal();
    script.Stop();
    outcome.quitCode = TakePendingQuit();
    return outcome;
}

}  // namespace testing_support
