// Paths of the packed and the unpacked archive.
#include "tests/release/release_files.h"

#include "res/version.h"
#include "tests/support/testdb.h"

namespace testing_support {

std::string ArchiveName()
{
    return std::string("Mirelo-") + MIRELO_VERSION_TEXT + (sizeof(void*) == 8 ? "-win64" : "-win32") + ".zip";
}

std::string ArchivePath()
{
    // The program runs from <build>/tests/release_tests/; the build packs into <build>/tests/release/.
    return ProgramFolder() + "..\\release\\" + ArchiveName();
}

std::string UnpackedFolder()
{
    return ProgramFolder() + "我的 软件\\Mirelo\\";
}

}  // namespace testing_support
