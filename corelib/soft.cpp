// The descriptor's hex text codec: code units or code page bytes as upper-case hex, ended by 001E.
#include "corelib/soft.h"

#include "base/text_codec.h"

#include <cstring>
#include <utility>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";
const char kFieldEnd[] = "001E";
constexpr int kFieldEndLength = 4;

void AppendHex(std::string& out, unsigned value, int digits)
{
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kHexDigits[(value >> shift) & 0xF];
}

int HexDigitValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    return -1;
}

// Reads `digits` hex digits at text; false when one of them is not a hex digit.
bool ReadHex(const char* text, int digits, unsigned* value)
{
    *value = 0;
    for (int i = 0; i < digits; ++i) {
        int digit = HexDigitValue(text[i]);
        if (digit < 0)
            return false;
        *value = (*value << 4) | static_cast<unsigned>(digit);
    }
    return true;
}

// The closing 001E, in either case like the digits before it.
bool IsFieldEnd(const char* text)
{
    return text[0] == '0' && text[1] == '0' && text[2] == '1' && (text[3] == 'E' || text[3] == 'e');
}

// The length of the hex body before the closing 001E, or -1 when the text does not end in it
// or the body is not made of whole groups of groupDigits.
int BodyLength(const char* hex, int groupDigits)
{
    if (!hex)
        return -1;
    int length = static_cast<int>(std::strlen(hex));
    int body = length - kFieldEndLength;
    if (body < 0 || !IsFieldEnd(hex + body) || body % groupDigits != 0)
        return -1;
    return body;
}

}  // namespace

std::string SoftHexOfUnits(const CString& text)
{
    std::string hex;
    for (wchar_t unit : text.str())
        AppendHex(hex, static_cast<unsigned>(unit), 4);
    hex += kFieldEnd;
    return hex;
}

std::string SoftHexOfBytes(const CString& text)
{
    std::string hex;
    for (char byte : WideToCodePage(kSoftCodePage, text.str()))
        AppendHex(hex, static_cast<unsigned char>(byte), 2);
    hex += kFieldEnd;
    return hex;
}

bool SoftUnitsOfHex(const char* hex, CString* text)
{
    int body = BodyLength(hex, 4);
    if (body < 0)
        return false;
    std::wstring units;
    for (int i = 0; i < body; i += 4) {
        unsigned unit = 0;
        if (!ReadHex(hex + i, 4, &unit) || unit == 0)
            return false;
        units += static_cast<wchar_t>(unit);
    }
    *text = CString(std::move(units));
    return true;
}

bool SoftBytesOfHex(const char* hex, CString* text)
{
    int body = BodyLength(hex, 2);
    if (body < 0)
        return false;
    std::string decoded;
    for (int i = 0; i < body; i += 2) {
        unsigned byte = 0;
        if (!ReadHex(hex + i, 2, &byte) || byte == 0)
            return false;
        decoded += static_cast<char>(byte);
    }
    *text = CString(CodePageToWide(kSoftCodePage, decoded));
    return true;
}
