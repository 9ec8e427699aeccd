// items_import_child: a program that imports a file and is stopped in the middle, for the test
// of an import killed halfway.
//
//   items_import_child <database> <file> <event prefix>
//
// Runs the import on a thread; once a few thousand lines have gone into the table, suspends that
// thread where it is, sets "<prefix>-halfway" and waits to be killed. Exit code 1 when the import
// ended before it could be stopped.
#include "base/kernel_handles.h"
#include "items/itemimporter.h"
#include "store/connstr.h"

#include <process.h>
#include <shellapi.h>
#include <windows.h>

namespace {

constexpr int kLinesBeforeStop = 4096;

struct Job {
    CItemImporter importer;
    CString file;
    CImportProgress progress;
};

unsigned __stdcall ImportThread(void* context)
{
    auto* job = static_cast<Job*>(context);
    job->importer.Run(job->file, &job->progress);
    return 0;
}

}  // namespace

int main()
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments || count != 4)
        return 2;
    Job job{CItemImporter(BuildConnectionString(arguments[1])), CString(arguments[2]), {}};
    CKernelHandle halfway(::OpenEventW(EVENT_MODIFY_STATE, FALSE, (std::wstring(arguments[3]) + L"-halfway").c_str()));
    CKernelHandle thread(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &ImportThread, &job, 0, nullptr)));
    if (!halfway || !thread)
        return 2;
    // Looks every millisecond: the import reports every few hundred lines.
    while (::WaitForSingleObject(thread.Get(), 1) == WAIT_TIMEOUT) {
        if (job.progress.Lines() >= kLinesBeforeStop) {
            ::SuspendThread(thread.Get());
            ::SetEvent(halfway.Get());
            ::WaitForSingleObject(::GetCurrentProcess(), INFINITE);
        }
    }
    return 1;
}
