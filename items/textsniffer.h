// CTextSniffer: tells from a file's bytes how its text is encoded.
#pragma once

#include <cstddef>
#include <cstdint>

enum class TextEncoding {
    SystemCodePage,  // bytes taken as they stand (code page 936)
    Utf8,            // no mark, but strictly UTF-8 in the ranges Chinese and Western text use
    Utf8WithMark,
    Utf16LeWithMark,
    Utf16BeWithMark,
    NotText,  // holds NUL bytes and is not UTF-16 with its mark
};

// Fed the whole file in pieces of any size, in order; Result() then names the encoding.
class CTextSniffer {
public:
    void Feed(const char* bytes, size_t count);
    TextEncoding Result() const;
    // True when further bytes cannot change the result.
    bool Settled() const;

private:
    void FeedUtf8(unsigned char byte);
    static bool InTextRanges(uint32_t codePoint);

    unsigned char m_head[3] = {};
    size_t m_seen = 0;
    bool m_hasNul = false;
    // Strict UTF-8 decoding of every byte so far.
    bool m_utf8Valid = true;
    bool m_nonAscii = false;
    bool m_inRanges = true;
    uint32_t m_codePoint = 0;
    uint32_t m_minCodePoint = 0;
    int m_pendingBytes = 0;
};
