// CTextSniffer: byte-order marks, NUL bytes and a strict UTF-8 check with its character ranges.
#include "items/textsniffer.h"

#include <cstring>

namespace {

bool HasMark(const unsigned char* head, size_t seen, unsigned char a, unsigned char b)
{
    return seen >= 2 && head[0] == a && head[1] == b;
}

// Whether any of count bytes is NUL, eight at a time (the C library's memchr goes byte by byte here).
bool HoldsNul(const char* bytes, size_t count)
{
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, sizeof(word));
        if ((word - kOnes) & ~word & kHighs)
            return true;
    }
    for (; i < count; ++i) {
        if (bytes[i] == 0)
            return true;
    }
    return false;
}

}  // namespace

CTextSniffer::CTextSniffer() : m_codePageBytes(SystemCodePageBytes())
{
}

void CTextSniffer::Feed(const char* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        // After a byte order mark only a NUL byte can change the result: it is all that is looked for.
        if (m_seen >= sizeof(m_head) && IsMarked()) {
            if (!m_hasNul && HoldsNul(bytes + i, count - i))
                m_hasNul = true;
            m_seen += count - i;
            return;
        }
        auto byte = static_cast<unsigned char>(bytes[i]);
        if (m_seen < sizeof(m_head))
            m_head[m_seen] = byte;
        ++m_seen;
        if (byte == 0)
            m_hasNul = true;
        // Once so many UTF-8 characters have come, whether the bytes are code page text as well
        // no longer decides anything.
        const bool followCodePage = m_codePageValid && m_utf8Characters < kSureUtf8Characters;
        // ASCII between characters leaves both readings as they were.
        if (byte < 0x80 && !(m_utf8Valid && m_pendingBytes > 0) && !(followCodePage && m_codePageLead))
            continue;
        if (m_utf8Valid)
            FeedUtf8(byte);
        if (followCodePage)
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

bool CTextSniffer::HasUtf8Mark() const
{
    return m_seen >= 3 && m_head[0] == 0xEF && m_head[1] == 0xBB && m_head[2] == 0xBF;
}

bool CTextSniffer::IsMarked() const
{
    return HasMark(m_head, m_seen, 0xFF, 0xFE) || HasMark(m_head, m_seen, 0xFE, 0xFF) || HasUtf8Mark();
}

TextEncoding CTextSniffer::Result() const
{
    if (HasMark(m_head, m_seen, 0xFF, 0xFE))
        return TextEncoding::Utf16LeWithMark;
    if (HasMark(m_head, m_seen, 0xFE, 0xFF))
        return TextEncoding::Utf16BeWithMark;
    if (m_hasNul)
        return TextEncoding::NotText;
    if (HasUtf8Mark())
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

bool CTextSniffer::EncodingKnown() const
{
    // A mark needs its first bytes; after them, a mark, a NUL or bytes that are not UTF-8 decide.
    if (m_seen < sizeof(m_head))
        return false;
    return IsMarked() || m_hasNul || !m_utf8Valid;
}
