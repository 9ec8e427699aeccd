// Setting and clearing the host's immutable attribute on a test file.
#include "tests/support/immutable_file.h"

#include "tests/support/pump.h"

#include <windows.h>

namespace testing_support {

namespace {

// Z:\a\b as the host names it, /a/b; "" for a path on another drive.
std::string HostPath(const std::string& path)
{
    if (path.size() < 3 || (path[0] != 'Z' && path[0] != 'z') || path.compare(1, 2, ":\\") != 0)
        return std::string();
    std::string host = path.substr(2);
    for (char& ch : host) {
        if (ch == '\\')
            ch = '/';
    }
    return host;
}

bool OpensForWriting(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

// Runs chattr with the flag and waits (pumping) until the file's writability shows it.
bool RunChattr(const std::string& flag, const std::string& path, bool writableAfter)
{
    std::string host = HostPath(path);
    if (host.empty())
        return false;
    std::string command = "Z:\\usr\\bin\\chattr " + flag + " \"" + host + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    return PumpUntil([&] { return OpensForWriting(path) == writableAfter; }, 10000);
}

}  // namespace

CImmutableFile::CImmutableFile(const std::string& path) : m_path(path)
{
    m_immutable = RunChattr("+i", m_path, false);
}

CImmutableFile::~CImmutableFile()
{
    if (m_immutable)
        RunChattr("-i", m_path, true);
}

}  // namespace testing_support
