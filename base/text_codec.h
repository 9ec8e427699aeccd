// Text between the system code page (in which the program keeps its texts), UTF-16 and UTF-8.
#pragma once

#include "base/cstring.h"

#include <string>

// Why a conversion failed.
enum class TextFailure {
    CannotDecode,  // the bytes cannot be turned into UTF-16
    CannotEncode,  // the UTF-16 text cannot be turned into bytes
    OutOfMemory,
};

// What the caller does about a failure: a policy may throw the caller's own error; when it returns,
// the conversion gives "" (out of memory: the std::bad_alloc goes on).
using TextFailurePolicy = void (*)(TextFailure failure);
// The failure gives "" (the default).
void EmptyOnFailure(TextFailure failure) noexcept;
// The failure throws CTextError.
[[noreturn]] void ThrowOnFailure(TextFailure failure);

class CTextError {
public:
    explicit CTextError(TextFailure failure) : m_failure(failure) {}
    TextFailure Failure() const { return m_failure; }

private:
    TextFailure m_failure;
};

// What becomes of a character the system code page lacks.
enum class Unmappable {
    BestFit,       // the system's choice: a look-alike where it knows one, else its default character
    QuestionMark,  // one "?" for each (a surrogate pair included), never a look-alike
};

std::wstring SystemToWide(const CString& text, TextFailurePolicy onFailure = EmptyOnFailure);
CString WideToSystem(const std::wstring& text, Unmappable unmappable = Unmappable::BestFit,
                     TextFailurePolicy onFailure = EmptyOnFailure);
// True when the system code page holds every character of text exactly (no default character, no
// look-alike): only then does text survive WideToSystem and SystemToWide unchanged.
bool FitsSystemCodePage(const std::wstring& text);

// Malformed sequences become U+FFFD.
std::wstring Utf8ToWide(const std::string& bytes, TextFailurePolicy onFailure = EmptyOnFailure);
std::string WideToUtf8(const std::wstring& text, TextFailurePolicy onFailure = EmptyOnFailure);

// True for the first byte of a double-byte character of the system code page.
bool IsLeadByte(char ch);
