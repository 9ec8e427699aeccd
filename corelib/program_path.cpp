// GetModuleFileNameW with a buffer that grows until the path fits.
#include "corelib/program_path.h"

#include <windows.h>

#include <vector>

CString ProgramFilePath()
{
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<wchar_t> buffer(size, L'\0');
        DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
            return CString();
        // A path that filled the buffer may have been cut short.
        if (length < size - 1 || size >= 32768)
            return CString(buffer.data(), static_cast<int>(length));
    }
}
