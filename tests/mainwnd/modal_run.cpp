// RunModal and the program folder.
#include "tests/mainwnd/modal_run.h"

namespace testing_support {

ModalOutcome RunModal(CDialog& dialog, CModalScript& script)
{
    ModalOutcome outcome;
    script.Start();
    outcome.result = dialog.DoModal();
    script.Stop();
    MSG quit;
    if (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        outcome.quitCode = static_cast<int>(quit.wParam);
    return outcome;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

}  // namespace testing_support
