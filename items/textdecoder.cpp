// CTextDecoder: each piece cut at its last whole character, decoded by the system's conversions.
#include "items/textdecoder.h"

#include <windows.h>

CTextDecoder::CTextDecoder(TextEncoding encoding, unsigned codePage)
    : m_encoding(encoding), m_codePage(codePage)
{
    if (encoding != TextEncoding::SystemCodePage)
        return;
    for (unsigned byte = 0x80; byte < m_leadBytes.size(); ++byte) {
        m_leadBytes[byte] = ::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) != FALSE;
        m_doubleByte = m_doubleByte || m_leadBytes[byte];
    }
}

size_t CTextDecoder::MarkLength(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8WithMark:
        return 3;
    case TextEncoding::Utf16LeWithMark:
    case TextEncoding::Utf16BeWithMark:
        return 2;
    case TextEncoding::SystemCodePage:
    case TextEncoding::Utf8:
    case TextEncoding::NotText:
        break;
    }
    return 0;
}

void CTextDecoder::Decode(const char* bytes, size_t count, bool last, std::wstring& text)
{
    std::string joined;
    if (!m_keptBack.empty()) {
        joined = std::move(m_keptBack);
        joined.append(bytes, count);
        bytes = joined.data();
        count = joined.size();
    }
    const size_t whole = last ? count : WholeCharacters(bytes, count);
    std::string keptBack(bytes + whole, count - whole);
    Convert(bytes, whole, text);
    m_keptBack = std::move(keptBack);
}

size_t CTextDecoder::WholeCharacters(const char* bytes, size_t count) const
{
    switch (m_encoding) {
    case TextEncoding::Utf16LeWithMark:
    case TextEncoding::Utf16BeWithMark:
        return count & ~static_cast<size_t>(1);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8WithMark:
        // Back over the continuation bytes to the last sequence's first byte: whole when all the
        // bytes it announces are there.
        for (size_t back = 1; back <= 4 && back <= count; ++back) {
            const auto byte = static_cast<unsigned char>(bytes[count - back]);
            if ((byte & 0xC0) == 0x80)
                continue;
            const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return length > back ? count - back : count;
        }
        return count;
    case TextEncoding::SystemCodePage:
        if (m_doubleByte) {
            // A trail byte may look like a lead byte: only a walk from a character's start tells
            // which bytes pair, and the pieces start on one.
            size_t at = 0;
            while (at < count)
                at += m_leadBytes[static_cast<unsigned char>(bytes[at])] ? 2 : 1;
            return at > count ? count - 1 : count;
        }
        return count;
    case TextEncoding::NotText:
        break;
    }
    return count;
}

void CTextDecoder::Convert(const char* bytes, size_t count, std::wstring& text) const
{
    switch (m_encoding) {
    case TextEncoding::Utf16LeWithMark:
    case TextEncoding::Utf16BeWithMark: {
        const bool bigEndian = m_encoding == TextEncoding::Utf16BeWithMark;
        text.reserve(text.size() + count / 2 + 1);
        for (size_t i = 0; i + 1 < count; i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]);
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            text += static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
        }
        // A dangling odd byte at the end is half a character: it cannot be read, so it shows as one.
        if (count % 2 != 0)
            text += L'\xFFFD';
        return;
    }
    case TextEncoding::Utf8:
    case TextEncoding::Utf8WithMark:
        text += Utf8ToWide(bytes, count, ThrowOnFailure);
        return;
    case TextEncoding::SystemCodePage:
        text += m_codePage == CP_ACP ? SystemCodePageToWide(bytes, count, ThrowOnFailure)
                                     : CodePageToWide(m_codePage, std::string(bytes, count), ThrowOnFailure);
        return;
    case TextEncoding::NotText:
        break;
    }
}
