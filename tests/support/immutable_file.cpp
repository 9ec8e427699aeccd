// Setting and clearing the host's immutable attribute on a test file.
#include "tests/support/immutable_file.h"

#include "base/kernel_handles.h"
#include "tests/support/pump.h"

#include <algorithm>
#include <windows.h>

namespace testing_support {

bool CImmutableFile::Set(bool on) const
{
    if (m_path.compare(0, 3, "Z:\\") != 0)
        return false;
    std::string host = m_path.substr(2);
    std::replace(host.begin(), host.end(), '\\', '/');
    std::string command = std::string("Z:\\usr\\bin\\chattr ") + (on ? "+i \"" : "-i \"") + host + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    const CKernelHandle thread(process.hThread);
    const CKernelHandle child(process.hProcess);
    // Done once opening the file for writing fails (or works again).
    return PumpUntil(
        [&] {
            const CFileHandle file(::CreateFileA(m_path.c_str(), GENERIC_WRITE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                 0, nullptr));
            return !file.IsValid() == on;
        },
        10000);
}

}  // namespace testing_support
