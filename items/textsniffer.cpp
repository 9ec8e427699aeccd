// CTextSniffer: byte-order marks, NUL bytes and a strict UTF-8 check with its character ranges.
#include "items/textsniffer.h"

namespace {

bool HasMark(const unsigned char* head, size_t seen, unsigned char a, unsigned char b)
{
    return seen >= 2 && head[0] == a && head[1] == b;
}

}  // namespace

CTextSniffer::CTextSniffer() : m_codePageBytes(SystemCodePageBytes())
{
}

void CTextSniffer::Feed(const char* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        if (m_seen < sizeof(m_head))
            m_head[m_seen] = byte;
        ++m_seen;
        if (byte == 0)
            m_hasNul = true;
        if (m_utf8Valid)
            FeedUtf8(byte);
        if (m_codePageValid)
            FeedCodePage(byte);
    }
}

void CTextSniffer::FeedCodePage(unsigned char byte)
{
    if (m_codePageLead) {
        // Double-byte code pages take their second bytes from 0x40 up, never DEL or 0xFF.
        m_codePageLead = false;
        if (byte < 0x40 || byte == 0x7F || byte == 0xFF)
            m_codePageValid = false;
    } else if (m_codePageBytes[byte] == CodePageByte::Lead) {
        m_codePageLead = true;
    } else if (m_codePageBytes[byte] == CodePageByte::Invalid) {
        m_codePageValid = false;
    }
}

void CTextSniffer::FeedUtf8(unsigned char byte)
{
    if (m_pendingBytes > 0) {
        if ((byte & 0xC0) != 0x80) {
            m_utf8Valid = false;
            return;
        }
        m_codePoint = (m_codePoint << 6) | (byte & 0x3F);
        if (--m_pendingBytes > 0)
            return;
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (m_codePoint < m_minCodePoint || (m_codePoint >= 0xD800 && m_codePoint <= 0xDFFF) ||
            m_codePoint > 0x10FFFF) {
            m_utf8Valid = false;
            return;
        }
        m_nonAscii = true;
        ++m_utf8Characters;
        if (!InTextRanges(m_codePoint))
            m_inRanges = false;
        return;
    }
    if (byte < 0x80)
        return;
    if (byte >= 0xC2 && byte <= 0xDF) {
        m_codePoint = byte & 0x1F;
        m_pendingBytes = 1;
        m_minCodePoint = 0x80;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        m_codePoint = byte & 0x0F;
        m_pendingBytes = 2;
        m_minCodePoint = 0x800;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        m_codePoint = byte & 0x07;
        m_pendingBytes = 3;
        m_minCodePoint = 0x10000;
    } else {
        m_utf8Valid = false;
    }
}

// Where Chinese and Western text and its emoji live. Code page text read as UTF-8 by chance mostly
// lands elsewhere (模 is C4 A3 in 936, which UTF-8 reads as U+0123), so a short file outside them
// that is well-formed code page text as well stays in the code page.
bool CTextSniffer::InTextRanges(uint32_t codePoint)
{
    return codePoint < 0x80                                    // ASCII
           || (codePoint >= 0xA0 && codePoint <= 0xFF)         // Latin-1, without the C1 controls
           || (codePoint >= 0x2000 && codePoint <= 0x206F)     // general punctuation
           || (codePoint >= 0x3000 && codePoint <= 0x303F)     // CJK symbols and punctuation
           || (codePoint >= 0x3400 && codePoint <= 0x4DBF)     // CJK ideographs, extension A
           || (codePoint >= 0x4E00 && codePoint <= 0x9FFF)     // CJK unified ideographs
           || (codePoint >= 0xF900 && codePoint <= 0xFAFF)     // CJK compatibility ideographs
           || (codePoint >= 0xFF00 && codePoint <= 0xFFEF)     // full-width and half-width forms
           || (codePoint >= 0x1F300 && codePoint <= 0x1FAFF);  // pictographs and emoji
}

TextEncoding CTextSniffer::Result() const
{
    if (HasMark(m_head, m_seen, 0xFF, 0xFE))
        return TextEncoding::Utf16LeWithMark;
    if (HasMark(m_head, m_seen, 0xFE, 0xFF))
        return TextEncoding::Utf16BeWithMark;
    if (m_hasNul)
        return TextEncoding::NotText;
    if (m_seen >= 3 && m_head[0] == 0xEF && m_head[1] == 0xBB && m_head[2] == 0xBF)
        return TextEncoding::Utf8WithMark;
    if (m_utf8Valid && m_pendingBytes == 0 && m_nonAscii) {
        bool codePageToo = m_codePageValid && !m_codePageLead;
        if (m_inRanges || m_utf8Characters >= kSureUtf8Characters || !codePageToo)
            return TextEncoding::Utf8;
    }
    return TextEncoding::SystemCodePage;
}

bool CTextSniffer::Settled() const
{
    if (m_seen < 2)
        return false;
    return HasMark(m_head, m_seen, 0xFF, 0xFE) || HasMark(m_head, m_seen, 0xFE, 0xFF) || m_hasNul;
}
