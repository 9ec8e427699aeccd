// CImportFile: a first pass of the sniffer over the file, then its bytes decoded a piece at a time.
#include "items/importfile.h"

#include "base/text_codec.h"

#include <algorithm>

namespace {

// The bytes read at once: a piece of text of at most this many units.
constexpr size_t kPieceBytes = 64 * 1024;

}  // namespace

CImportFile::OpenResult CImportFile::Open(const CString& path, const CTellingOpening* opening)
{
    Close();
    m_file = OpenFileForReading(path);
    if (!m_file)
        return OpenResult::CannotOpen;
    LARGE_INTEGER size = {};
    m_size = ::GetFileSizeEx(m_file.Get(), &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;

    // The sniffer reads until the encoding is known; the first piece is kept for the opening.
    m_buffer.resize(kPieceBytes);
    CTextSniffer sniffer;
    std::string head;
    DWORD read = 0;
    do {
        if (!ReadFileChunk(m_file, m_buffer, read)) {
            Close();
            return OpenResult::CannotOpen;
        }
        if (head.empty())
            head.assign(m_buffer.data(), read);
        sniffer.Feed(m_buffer.data(), read);
    } while (read > 0 && !sniffer.EncodingKnown());
    const TextEncoding encoding = sniffer.Result();
    if (encoding == TextEncoding::NotText) {
        Close();
        return OpenResult::NotText;
    }
    unsigned codePage = CP_ACP;
    if (encoding == TextEncoding::SystemCodePage && opening && opening->codePage != ::GetACP()) {
        const std::string written = WideToCodePage(opening->codePage, opening->text);
        if (!written.empty() && head.compare(0, written.size(), written) == 0)
            codePage = opening->codePage;
    }

    // The text proper starts after the mark.
    LARGE_INTEGER start = {};
    start.QuadPart = static_cast<LONGLONG>(CTextDecoder::MarkLength(encoding));
    if (!::SetFilePointerEx(m_file.Get(), start, nullptr, FILE_BEGIN)) {
        Close();
        return OpenResult::CannotOpen;
    }
    m_decoder = std::make_unique<CTextDecoder>(encoding, codePage);
    m_bytesDecoded = static_cast<unsigned long long>(start.QuadPart);
    m_atEnd = false;
    m_done = false;
    // A byte order mark written twice, by a program that did not see the first, is one.
    for (;;) {
        while (m_text.empty() && DecodeNext(m_text)) {
        }
        m_text.erase(0, std::min(m_text.find_first_not_of(L'\uFEFF'), m_text.size()));
        if (!m_text.empty() || m_atEnd || m_failure != OpenResult::Opened)
            break;
    }
    if (m_failure != OpenResult::Opened) {
        const OpenResult failure = m_failure;
        Close();
        return failure;
    }
    return OpenResult::Opened;
}

bool CImportFile::DecodeNext(std::wstring& text)
{
    if (m_atEnd || m_failure != OpenResult::Opened)
        return false;
    DWORD read = 0;
    if (!ReadFileChunk(m_file, m_buffer, read)) {
        m_failure = OpenResult::CannotOpen;
        return false;
    }
    m_atEnd = read == 0;
    const size_t before = text.size();
    try {
        m_decoder->Decode(m_buffer.data(), read, m_atEnd, text);
    } catch (const CTextError&) {
        m_failure = OpenResult::CannotOpen;
        return false;
    }
    m_bytesDecoded += read;
    m_unitsDecoded += text.size() - before;
    // A NUL character is no more text than a NUL byte (which the sniffer may not have reached).
    if (text.find(L'\0', before) != std::wstring::npos) {
        m_failure = OpenResult::NotText;
        return false;
    }
    return read > 0 || text.size() > before;
}

BOOL CImportFile::ReadString(CString& line)
{
    if (m_done)
        return FALSE;
    size_t feed = m_text.find(L'\n', m_pos);
    while (feed == std::wstring::npos) {
        // The line goes on in the next piece: what was handed out makes room first.
        m_text.erase(0, m_pos);
        m_pos = 0;
        const size_t from = m_text.size();
        if (!DecodeNext(m_text))
            break;
        feed = m_text.find(L'\n', from);
    }
    if (feed == std::wstring::npos) {
        // The last line, which needs no end; nothing after a failure.
        m_done = true;
        if (m_failure != OpenResult::Opened || m_text.empty())
            return FALSE;
    }
    const size_t end = feed == std::wstring::npos ? m_text.size() : feed;
    size_t length = end - m_pos;
    if (length > 0 && m_text[end - 1] == L'\r')
        --length;
    line = CString(m_text.substr(m_pos, length));
    m_pos = feed == std::wstring::npos ? m_text.size() : feed + 1;
    return TRUE;
}

bool CImportFile::ReadText(std::wstring& text)
{
    if (m_pos < m_text.size()) {
        text.append(m_text, m_pos, std::wstring::npos);
        m_text.clear();
        m_pos = 0;
        return true;
    }
    m_text.clear();
    m_pos = 0;
    const size_t before = text.size();
    while (text.size() == before && DecodeNext(text)) {
    }
    return text.size() > before;
}

int CImportFile::PermilleRead() const
{
    if (m_size == 0)
        return 1000;
    // The bytes behind the units handed out, taken at the average width of the units so far; in
    // floating point, as a file may hold more units than a 32-bit size_t can multiply.
    const double pending = static_cast<double>(m_text.size() - m_pos);
    const double units = static_cast<double>(m_unitsDecoded);
    const double bytes = units > 0 ? static_cast<double>(m_bytesDecoded) * (units - pending) / units
                                   : static_cast<double>(m_bytesDecoded);
    return static_cast<int>(std::min(1000.0, bytes * 1000.0 / static_cast<double>(m_size)));
}

void CImportFile::Close()
{
    m_file.Reset();
    m_decoder.reset();
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_text.clear();
    m_text.shrink_to_fit();
    m_pos = 0;
    m_atEnd = true;
    m_done = true;
    m_failure = OpenResult::Opened;
    m_size = m_bytesDecoded = m_unitsDecoded = 0;
}
