// CTextDecoder: a text file's bytes, in an encoding already known, turned into UTF-16 a piece at a
// time, so that no piece needs the whole file.
#pragma once

#include "items/textsniffer.h"

#include <array>
#include <string>

class CTextDecoder {
public:
    // codePage names the code page of TextEncoding::SystemCodePage text (CP_ACP: the system's own).
    CTextDecoder(TextEncoding encoding, unsigned codePage);

    // How many bytes of the file its mark takes (none without one): decoding starts after them.
    static size_t MarkLength(TextEncoding encoding);

    // Appends the bytes' text to text. A character cut off at the end of the bytes (a UTF-8
    // sequence, a lead byte without its trail byte, half a UTF-16 unit) is kept back and decoded
    // with the next bytes, so that where the pieces were cut never shows; once last is set nothing
    // more comes, and what is left is decoded as it stands. Throws CTextError when the system
    // cannot convert.
    void Decode(const char* bytes, size_t count, bool last, std::wstring& text);

private:
    // How many of the bytes, from the first, end on a character's end.
    size_t WholeCharacters(const char* bytes, size_t count) const;
    void Convert(const char* bytes, size_t count, std::wstring& text) const;

    TextEncoding m_encoding;
    unsigned m_codePage;
    std::array<bool, 256> m_leadBytes{};  // the double-byte code page's lead bytes; none elsewhere
    bool m_doubleByte = false;
    std::string m_keptBack;  // the start of a character cut off at the end of the last bytes
};
