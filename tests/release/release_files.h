// Where the release tests find the archive this build packed and the copy unpacked for them.
#pragma once

#include <string>
#include <windows.h>

namespace testing_support {

// "Mirelo-<version>-win64.zip", or "-win32.zip" in a 32-bit test program.
std::wstring ArchiveName();
// The archive as the build packed it from its own Mirelo.exe.
std::wstring ArchivePath();
// The archive's Mirelo\ folder, unpacked afresh before the tests run into a folder whose name
// holds a space and characters no code page holds (an emoji, Chinese, ë) (the name CMakeLists.txt gives it); ends in a backslash.
std::wstring UnpackedFolder();
// The setup packed beside the archive ("Mirelo-<version>-win64-setup.exe").
std::wstring SetupPath();

// The main window of a started copy of the program.
bool IsMainWindow(HWND hWnd);

}  // namespace testing_support
