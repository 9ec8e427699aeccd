// Paths of the packed and the unpacked archive.
#include "tests/release/release_files.h"

#include "res/version.h"
#include "tests/support/remote_window.h"
#include "tests/support/testdb.h"

namespace testing_support {

std::wstring ArchiveName()
{
    return std::wstring(L"Mirelo-" MIRELO_VERSION_TEXT) + (sizeof(void*) == 8 ? L"-win64" : L"-win32") + L".zip";
}

std::wstring ArchivePath()
{
    // The program runs from <build>/tests/release_tests/; the build packs into <build>/tests/release/.
    return ProgramFolder() + L"..\\release\\" + ArchiveName();
}

std::wstring SetupPath()
{
    std::wstring name = ArchiveName();
    return ProgramFolder() + L"..\\release\\" + name.substr(0, name.size() - 4) + L"-setup.exe";
}

bool IsMainWindow(HWND hWnd)
{
    return IsDialogClass(hWnd) && RemoteWindowText(hWnd).rfind(L"Mirelo  -", 0) == 0;
}

std::wstring UnpackedFolder()
{
    return ProgramFolder() + L"😀 张三 Zoë\\Mirelo\\";
}

}  // namespace testing_support
