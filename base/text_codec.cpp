// Conversions over MultiByteToWideChar and WideCharToMultiByte with the platform's tables.
#include "base/text_codec.h"

#include <new>
#include <windows.h>

namespace {

std::wstring ToWide(UINT codePage, const std::string& bytes, TextFailurePolicy onFailure)
{
    if (bytes.empty())
        return std::wstring();
    int length = static_cast<int>(bytes.size());
    try {
        int units = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
        if (units > 0) {
            std::wstring wide(static_cast<size_t>(units), L'\0');
            if (::MultiByteToWideChar(codePage, 0, bytes.data(), length, &wide[0], units) == units)
                return wide;
        }
    } catch (const std::bad_alloc&) {
        onFailure(TextFailure::OutOfMemory);
        throw;
    }
    onFailure(TextFailure::CannotDecode);
    return std::wstring();
}

// usedDefault, when given, learns whether any character had no code of its own.
std::string FromWide(UINT codePage, DWORD flags, const char* defaultChar, const std::wstring& wide,
                     TextFailurePolicy onFailure, BOOL* usedDefault = nullptr)
{
    if (wide.empty())
        return std::string();
    int units = static_cast<int>(wide.size());
    try {
        int length =
            ::WideCharToMultiByte(codePage, flags, wide.data(), units, nullptr, 0, defaultChar, nullptr);
        if (length > 0) {
            std::string bytes(static_cast<size_t>(length), '\0');
            if (::WideCharToMultiByte(codePage, flags, wide.data(), units, &bytes[0], length, defaultChar,
                                      usedDefault) == length)
                return bytes;
        }
    } catch (const std::bad_alloc&) {
        onFailure(TextFailure::OutOfMemory);
        throw;
    }
    onFailure(TextFailure::CannotEncode);
    return std::string();
}

bool IsHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// A character beyond the basic plane is a pair of units; make it one "?" rather than two.
std::wstring SurrogatesAsQuestionMarks(const std::wstring& text)
{
    std::wstring units;
    units.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsSurrogate(text[i + 1]) &&
            !IsHighSurrogate(text[i + 1])) {
            units += L'?';
            ++i;
        } else {
            units += IsSurrogate(unit) ? L'?' : unit;
        }
    }
    return units;
}

}  // namespace

void EmptyOnFailure(TextFailure) noexcept
{
}

void ThrowOnFailure(TextFailure failure)
{
    throw CTextError(failure);
}

std::wstring SystemToWide(const CString& text, TextFailurePolicy onFailure)
{
    return ToWide(CP_ACP, text.str(), onFailure);
}

CString WideToSystem(const std::wstring& text, Unmappable unmappable, TextFailurePolicy onFailure)
{
    if (unmappable == Unmappable::BestFit)
        return CString(FromWide(CP_ACP, 0, nullptr, text, onFailure));
    // No best fit: a character without its own code must not turn into a look-alike.
    return CString(FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, "?", SurrogatesAsQuestionMarks(text), onFailure));
}

bool FitsSystemCodePage(const std::wstring& text)
{
    if (text.empty())
        return true;
    for (wchar_t unit : text) {
        if (IsSurrogate(unit))
            return false;  // no double-byte code page holds a character beyond the basic plane
    }
    BOOL usedDefault = FALSE;
    const std::string bytes =
        FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, nullptr, text, EmptyOnFailure, &usedDefault);
    if (bytes.empty() || usedDefault)
        return false;
    // The way back must give the same text: a code that stands for another character is no fit.
    return ToWide(CP_ACP, bytes, EmptyOnFailure) == text;
}

std::wstring Utf8ToWide(const std::string& bytes, TextFailurePolicy onFailure)
{
    return ToWide(CP_UTF8, bytes, onFailure);
}

std::string WideToUtf8(const std::wstring& text, TextFailurePolicy onFailure)
{
    return FromWide(CP_UTF8, 0, nullptr, text, onFailure);
}

bool IsLeadByte(char ch)
{
    return ::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(ch)) != FALSE;
}
