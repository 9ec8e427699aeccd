// What the user is told when an exception stops the handling of a message: no click may end in
// nothing seen.
#pragma once

#include "base/cstring.h"

#include <exception>
#include <windows.h>

// The exception's text made readable: "内存不足" when memory ran out, otherwise its own message.
CString ExceptionText(const std::exception_ptr& error);

// Called where an exception must stop (a window procedure, a dialog's initialisation, the
// pre-translation walk): a box over hWnd's top-level window, captioned with the application's
// name, says "操作未完成：" and the exception's text, and the program goes on. An exception while
// such a box is up ends the program after the same box: a window that fails again while its
// failure is being told (its painting, say) would fail without end.
void AfxReportHandlerException(HWND hWnd, const std::exception_ptr& error) noexcept;
