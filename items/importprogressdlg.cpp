// CImportProgressDlg and the import's thread.
#include "items/importprogressdlg.h"

#include "base/kernel_handles.h"
#include "res/resource.h"

#include <commctrl.h>
#include <process.h>
#include <utility>

namespace {

constexpr UINT_PTR kPollTimer = 1;
// Often enough that the window goes within a blink of the import's end.
constexpr UINT kPollMs = 20;
// An import that ends sooner shows no window at all.
constexpr DWORD kQuietMs = 500;

struct ImportJob {
    CItemImporter importer;
    CString path;
    CImportProgress progress;
    CImportReport report;
};

// The import's edge: an exception on its way (no memory for a line, say) ends it as a report, with
// nothing imported (its transaction is rolled back as the exception leaves it), never the program.
// Making the report takes no memory, which may have run out.
CImportReport RunToReport(const ImportJob& job, CImportProgress* progress) noexcept
{
    try {
        return job.importer.Run(job.path, progress);
    } catch (...) {
        CImportReport report;
        report.outcome = CImportReport::Outcome::Stopped;
        report.stopped = std::current_exception();
        return report;
    }
}

unsigned __stdcall ImportThread(void* context)
{
    auto* job = static_cast<ImportJob*>(context);
    job->report = RunToReport(*job, &job->progress);
    return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CImportProgressDlg, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

CImportProgressDlg::CImportProgressDlg(CImportProgress& progress, HANDLE importThread, CWnd* owner)
    : CDialog(IDD_IMPORTPROGRESS, owner), m_progress(progress), m_importThread(importThread)
{
}

BOOL CImportProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SendDlgItemMessageW(m_hWnd, IDC_IMPORT_PROGRESSBAR, PBM_SETRANGE32, 0, 1000);
    ShowProgress();
    SetTimer(kPollTimer, kPollMs);
    return TRUE;
}

void CImportProgressDlg::OnOK()
{
}

void CImportProgressDlg::OnCancel()
{
    // The window stays until the import's thread has undone its work and ended.
    m_progress.Cancel();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDCANCEL), FALSE);
    SetDlgItemText(IDC_IMPORT_PROGRESSTEXT, L"正在取消导入…");
}

void CImportProgressDlg::OnTimer(UINT_PTR)
{
    if (::WaitForSingleObject(m_importThread, 0) == WAIT_OBJECT_0) {
        KillTimer(kPollTimer);
        EndDialog(IDOK);
        return;
    }
    if (!m_progress.IsCancelled())
        ShowProgress();
}

void CImportProgressDlg::ShowProgress()
{
    const int permille = m_progress.Permille();
    CString text;
    text.Format(L"正在导入：已读取 %d 行（%d%%）", m_progress.Lines(), permille / 10);
    SetDlgItemText(IDC_IMPORT_PROGRESSTEXT, text);
    ::SendDlgItemMessageW(m_hWnd, IDC_IMPORT_PROGRESSBAR, PBM_SETPOS, static_cast<WPARAM>(permille), 0);
}

CImportReport RunImport(CWnd* owner, const CString& connStr, const CString& path)
{
    ImportJob job{CItemImporter(connStr), path, {}, {}};
    CKernelHandle thread(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &ImportThread, &job, 0, nullptr)));
    if (!thread) {
        // No thread to spare: the import runs here, as it would have without one.
        return RunToReport(job, nullptr);
    }
    if (::WaitForSingleObject(thread.Get(), kQuietMs) == WAIT_TIMEOUT) {
        CImportProgressDlg progress(job.progress, thread.Get(), owner);
        progress.DoModal();
    }
    // The window may have failed to open or been ended by a quit: the import is cancelled, and
    // its thread is waited for, since it works on this frame's job.
    if (::WaitForSingleObject(thread.Get(), 0) == WAIT_TIMEOUT) {
        job.progress.Cancel();
        ::WaitForSingleObject(thread.Get(), INFINITE);
    }
    // Moved, not copied: the ids of millions of lines are worth not holding twice.
    return std::move(job.report);
}
