// CDbError: the one exception type of the item store (a failure code and the engine's message).
#pragma once

#include "base/cstring.h"
#include "base/text_codec.h"

#include <exception>
#include <string>

class CDbError : public std::exception {
public:
    CDbError(int code, const CString& message) : m_code(code), m_message(message) {}
    int Code() const { return m_code; }
    // The engine's message.
    const CString& Message() const { return m_message; }
    // The failure is another connection's lock, not granted in time.
    bool IsBusy() const;
    // The message in UTF-8, for code that knows only std::exception.
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_code;
    CString m_message;
    std::string m_what = WideToUtf8(m_message.str());
};

// What an engine result code means to the user: the disk is full; the file is read-only, locked
// or cannot be opened; anything else (the file is damaged, most likely).
enum class DbFailureKind { DiskFull, NotWritable, Other };
DbFailureKind KindOfFailure(int code);

// The store's policy for text conversions: a failed one throws CDbError.
[[noreturn]] void ThrowAsDbError(TextFailure failure);

// "错误信息:" followed by the failure's message: the text composed where a failure is caught and
// dropped (it is shown nowhere).
CString ErrorInfoText(const CDbError& error);
// Where a failure is dropped on purpose: its ErrorInfoText goes to the debugger's output only.
void TraceDroppedError(const CDbError& error);
