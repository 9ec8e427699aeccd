// Text between UTF-16 (in which the program keeps its texts), UTF-8 (files, the database) and,
// for import files alone, the system code page.
#pragma once

#include <array>
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

// Malformed sequences become U+FFFD.
std::wstring Utf8ToWide(const char* bytes, size_t length, TextFailurePolicy onFailure = EmptyOnFailure);
std::wstring Utf8ToWide(const std::string& bytes, TextFailurePolicy onFailure = EmptyOnFailure);
// A lone surrogate becomes U+FFFD.
std::string WideToUtf8(const std::wstring& text, TextFailurePolicy onFailure = EmptyOnFailure);
// The same into out, whose room serves again: for many texts converted one after another.
void WideToUtf8(const std::wstring& text, std::string& out, TextFailurePolicy onFailure = EmptyOnFailure);

// Text in a code page the program names itself (a format fixed to one code page on every Windows).
std::wstring CodePageToWide(unsigned codePage, const std::string& bytes,
                            TextFailurePolicy onFailure = EmptyOnFailure);
std::string WideToCodePage(unsigned codePage, const std::wstring& text,
                           TextFailurePolicy onFailure = EmptyOnFailure);

// What a byte is in the system code page when it stands first: a character of its own, the lead
// byte of a double-byte character, or the start of no character.
enum class CodePageByte : unsigned char { Single, Lead, Invalid };
std::array<CodePageByte, 256> SystemCodePageBytes();

// The one way in from the system code page: a text file that is neither marked nor UTF-8 was
// written by a program of this system's own code page.
std::wstring SystemCodePageToWide(const char* bytes, size_t length,
                                  TextFailurePolicy onFailure = EmptyOnFailure);
