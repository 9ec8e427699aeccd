// Entry of every test program: common controls, an application object, googletest.
#include "framework/winapp.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
// Tests set m_pMainWnd when a window of theirs plays the main window.
CWinApp testApp;
}  // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
