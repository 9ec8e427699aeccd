// Setting and clearing the host's immutable attribute on a test file.
#include "tests/support/immutable_file.h"

#include "base/kernel_handles.h"
#include "tests/support/pump.h"

#include <algorithm>
#include <windows.h>

namespace testing_support {

bool CImmutableFile::Set(bool on) const
{
    if (m_path.compare(0, 3, L"Z:\\") != 0)
        return false;
    std::wstring host = m_path.substr(2);
    std::replace(host.begin(), host.end(), L'\\', L'/');
    std::wstring command = std::wstring(L"Z:\\usr\\bin\\chattr ") + (on ? L"+i \"" : L"-i \"") + host + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    const CKernelHandle thread(process.hThread);
    const CKernelHandle child(process.hProcess);
    // Done once opening the file for writing fails (or works again).
    return PumpUntil(
        [&] {
            const CFileHandle file(::CreateFileW(m_path.c_str(), GENERIC_WRITE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                 0, nullptr));
            return !file.IsValid() == on;
        },
        10000);
}

}  // namespace testing_support
