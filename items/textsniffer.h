// CTextSniffer: tells from a file's bytes how its text is encoded.
#pragma once

#include "base/text_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

enum class TextEncoding {
    SystemCodePage,  // text of the system's own code page
    Utf8,            // no mark, but strictly UTF-8 throughout (short ones only in the usual text ranges)
    Utf8WithMark,
    Utf16LeWithMark,
    Utf16BeWithMark,
    NotText,  // holds NUL bytes and is not UTF-16 with its mark
};

// Fed the whole file in pieces of any size, in order; Result() then names the encoding.
class CTextSniffer {
public:
    CTextSniffer();
    void Feed(const char* bytes, size_t count);
    TextEncoding Result() const;
    // True when further bytes cannot change the result.
    bool Settled() const;
    // True when further bytes can change the result only by holding a NUL byte: the encoding a
    // reader of the rest decodes it in (and finds such a byte itself) is known.
    bool EncodingKnown() const;

private:
    // The bytes begin with a byte order mark (UTF-8, or UTF-16 either way).
    bool HasUtf8Mark() const;
    bool IsMarked() const;
    void FeedUtf8(unsigned char byte);
    void FeedCodePage(unsigned char byte);
    static bool InTextRanges(uint32_t codePoint);

    // Strict UTF-8 with at least this many multi-byte characters is not code page text by chance;
    // fewer may be (模 is C4 A3 in both UTF-8 and 936), and are then taken as UTF-8 only when
    // they are not well-formed text of the system code page or stay in the usual text ranges.
    static constexpr int kSureUtf8Characters = 4;

    unsigned char m_head[3] = {};
    size_t m_seen = 0;
    bool m_hasNul = false;
    // Strict UTF-8 decoding of every byte so far.
    bool m_utf8Valid = true;
    bool m_nonAscii = false;
    bool m_inRanges = true;
    int m_utf8Characters = 0;  // multi-byte characters decoded
    // Every byte is a character of the system code page, or pairs as its lead and trail bytes.
    std::array<CodePageByte, 256> m_codePageBytes;
    bool m_codePageValid = true;
    bool m_codePageLead = false;
    uint32_t m_codePoint = 0;
    uint32_t m_minCodePoint = 0;
    int m_pendingBytes = 0;
};
