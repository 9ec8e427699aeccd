// The box that tells of an exception stopped at the framework's edge, and its text.
#include "framework/exception_report.h"

#include "base/text_codec.h"
#include "framework/winapp.h"

#include <new>
#include <stdexcept>

namespace {

// Boxes of this thread telling of an exception, open now.
thread_local int t_openReports = 0;

}  // namespace

CString ExceptionText(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return L"内存不足";
    } catch (const std::length_error&) {
        // A text or list asked to grow past what a program can hold.
        return L"内存不足";
    } catch (const std::exception& failure) {
        // The program's own errors carry UTF-8 (the database's among them); the library's, ASCII.
        const std::wstring text = Utf8ToWide(failure.what());
        return text.empty() ? CString(L"未知错误") : CString(text);
    } catch (...) {
    }
    return L"未知错误";
}

void AfxReportHandlerException(HWND hWnd, const std::exception_ptr& error) noexcept
{
    CString text;
    try {
        text = CString(L"操作未完成：") + ExceptionText(error);
    } catch (...) {
        // No memory even for the text: the fixed one below needs none.
    }
    HWND owner = hWnd ? ::GetAncestor(hWnd, GA_ROOT) : nullptr;
    if (owner && !::IsWindow(owner))
        owner = nullptr;
    const CWinApp* app = AfxGetApp();
    const bool failingAgain = t_openReports > 0;
    ++t_openReports;
    ::MessageBoxW(owner, text.IsEmpty() ? L"操作未完成：内存不足" : static_cast<LPCWSTR>(text),
                  app ? app->m_pszAppName : nullptr, MB_OK | (failingAgain ? MB_ICONERROR : MB_ICONWARNING));
    --t_openReports;
    if (failingAgain)
        ::ExitProcess(1);
}
