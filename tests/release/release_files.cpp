// Paths of the packed and the unpacked archive.
#include "tests/release/release_files.h"

#include "res/version.h"
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

std::wstring UnpackedFolder()
{
    return ProgramFolder() + L"😀 张三 Zoë\\Mirelo\\";
}

}  // namespace testing_support
