// Conversions over MultiByteToWideChar and WideCharToMultiByte with the platform's tables.
#include "base/text_codec.h"

#include <climits>
#include <new>
#include <windows.h>

namespace {

std::wstring ToWide(UINT codePage, const char* bytes, size_t size, TextFailurePolicy onFailure)
{
    if (size == 0)
        return std::wstring();
    try {
        if (size <= static_cast<size_t>(INT_MAX)) {
            // No byte gives more than one UTF-16 unit (four UTF-8 bytes give two): one pass
            // converts into room for as many units as there are bytes.
            int length = static_cast<int>(size);
            std::wstring wide(size, L'\0');
            int units = ::MultiByteToWideChar(codePage, 0, bytes, length, &wide[0], length);
            if (units > 0) {
                wide.resize(static_cast<size_t>(units));
                return wide;
            }
        }
    } catch (const std::bad_alloc&) {
        onFailure(TextFailure::OutOfMemory);
        throw;
    }
    onFailure(TextFailure::CannotDecode);
    return std::wstring();
}

}  // namespace

void EmptyOnFailure(TextFailure) noexcept
{
}

void ThrowOnFailure(TextFailure failure)
{
    throw CTextError(failure);
}

std::wstring Utf8ToWide(const char* bytes, size_t length, TextFailurePolicy onFailure)
{
    return ToWide(CP_UTF8, bytes, length, onFailure);
}

std::wstring Utf8ToWide(const std::string& bytes, TextFailurePolicy onFailure)
{
    return ToWide(CP_UTF8, bytes.data(), bytes.size(), onFailure);
}

std::string WideToUtf8(const std::wstring& text, TextFailurePolicy onFailure)
{
    return WideToCodePage(CP_UTF8, text, onFailure);
}

void WideToUtf8(const std::wstring& text, std::string& out, TextFailurePolicy onFailure)
{
    out.clear();
    if (text.empty())
        return;
    try {
        if (text.size() <= static_cast<size_t>(INT_MAX / 4)) {
            // A UTF-16 unit never takes more than three bytes (a pair of them takes four).
            out.resize(text.size() * 3);
            int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                               &out[0], static_cast<int>(out.size()), nullptr, nullptr);
            if (length > 0) {
                out.resize(static_cast<size_t>(length));
                return;
            }
            out.clear();
        }
    } catch (const std::bad_alloc&) {
        onFailure(TextFailure::OutOfMemory);
        throw;
    }
    onFailure(TextFailure::CannotEncode);
}

std::wstring CodePageToWide(unsigned codePage, const std::string& bytes, TextFailurePolicy onFailure)
{
    return ToWide(codePage, bytes.data(), bytes.size(), onFailure);
}

std::string WideToCodePage(unsigned codePage, const std::wstring& text, TextFailurePolicy onFailure)
{
    if (text.empty())
        return std::string();
    try {
        if (text.size() <= static_cast<size_t>(INT_MAX / 4)) {
            int units = static_cast<int>(text.size());
            int length = ::WideCharToMultiByte(codePage, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
            if (length > 0) {
                std::string bytes(static_cast<size_t>(length), '\0');
                if (::WideCharToMultiByte(codePage, 0, text.data(), units, &bytes[0], length, nullptr,
                                          nullptr) == length)
                    return bytes;
            }
        }
    } catch (const std::bad_alloc&) {
        onFailure(TextFailure::OutOfMemory);
        throw;
    }
    onFailure(TextFailure::CannotEncode);
    return std::string();
}

std::array<CodePageByte, 256> SystemCodePageBytes()
{
    std::array<CodePageByte, 256> kinds;
    for (unsigned byte = 0; byte < kinds.size(); ++byte) {
        const char single = static_cast<char>(byte);
        wchar_t unit = 0;
        if (::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(byte)))
            kinds[byte] = CodePageByte::Lead;
        else if (byte < 0x80 ||
                 ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &single, 1, &unit, 1) == 1)
            kinds[byte] = CodePageByte::Single;
        else
            kinds[byte] = CodePageByte::Invalid;
    }
    return kinds;
}

std::wstring SystemCodePageToWide(const char* bytes, size_t length, TextFailurePolicy onFailure)
{
    return ToWide(CP_ACP, bytes, length, onFailure);
}
