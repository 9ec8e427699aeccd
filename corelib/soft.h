// tagSoft: the 354-byte software descriptor handed to the about box, and its hex text codec.
#pragma once

#include "base/cstring.h"

#include <cstddef>
#include <cstring>
#include <string>

// Four NUL-terminated texts of upper-case hex digits at fixed offsets; each ends in "001E".
struct tagSoft {
    char version[51];       // offset 0: UTF-16BE code units, 4 digits each
    char productId[101];    // offset 51: UTF-16BE code units
    char productType[101];  // offset 152: UTF-16BE code units
    char productName[101];  // offset 253: code page 936 bytes, 2 digits each
};
static_assert(sizeof(tagSoft) == 354, "the descriptor is 354 bytes");

// The code page of the byte field, whatever the system's own: the descriptor is the same on every
// Windows.
constexpr unsigned kSoftCodePage = 936;

// "2.1028" -> "0032002E0031003000320038001E" (UTF-16BE units, then 001E).
std::string SoftHexOfUnits(const CString& text);
// The text's code page 936 bytes, two digits each, then "001E".
std::string SoftHexOfBytes(const CString& text);
// The inverse of each; the trailing "001E" is dropped. False when the text is not such hex.
bool SoftUnitsOfHex(const char* hex, CString* text);
bool SoftBytesOfHex(const char* hex, CString* text);

// Copies hex text and its terminator into a field, leaving the rest of the field as it is.
// False (and the field untouched) when the text and its terminator do not fit.
template <size_t Width> bool SoftSetField(char (&field)[Width], const std::string& hex)
{
    size_t length = hex.size();
    if (length + 1 > Width)
        return false;
    std::memcpy(field, hex.c_str(), length + 1);
    return true;
}

// The text of a field; false when the field holds no terminator within its width.
template <size_t Width> bool SoftFieldText(const char (&field)[Width], std::string* hex)
{
    const void* end = std::memchr(field, '\0', Width);
    if (!end)
        return false;
    *hex = std::string(field, static_cast<size_t>(static_cast<const char*>(end) - field));
    return true;
}
