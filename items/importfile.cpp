// CImportFile: one read of the file, the sniffer over its bytes, one decoding of the whole text.
#include "items/importfile.h"

#include "base/kernel_handles.h"
#include "base/text_codec.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kChunkSize = 64 * 1024;

// The whole file's bytes; false when it cannot be read.
bool ReadWholeFile(const CString& path, std::string& bytes)
{
    CFileHandle file = OpenFileForReading(path);
    if (!file)
        return false;
    bytes.clear();
    LARGE_INTEGER size = {};
    if (::GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < bytes.max_size())
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    std::vector<char> buffer(kChunkSize);
    DWORD read = 0;
    do {
        if (!ReadFileChunk(file, buffer, read))
            return false;
        bytes.append(buffer.data(), read);
    } while (read > 0);
    return true;
}

std::wstring Utf16FromBytes(const std::string& bytes, bool bigEndian)
{
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        auto first = static_cast<unsigned char>(bytes[i]);
        auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    // A dangling odd byte is half a character: it cannot be read, so it shows as one.
    if (bytes.size() > 2 && bytes.size() % 2 != 0)
        text += L'\xFFFD';
    return text;
}

}  // namespace

CImportFile::OpenResult CImportFile::Open(const CString& path, const CTellingOpening* opening)
{
    Close();
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return OpenResult::CannotOpen;
    CTextSniffer sniffer;
    sniffer.Feed(bytes.data(), bytes.size());
    const TextEncoding encoding = sniffer.Result();
    if (encoding == TextEncoding::NotText)
        return OpenResult::NotText;
    unsigned codePage = CP_ACP;
    if (encoding == TextEncoding::SystemCodePage && opening && opening->codePage != ::GetACP()) {
        const std::string written = WideToCodePage(opening->codePage, opening->text);
        if (!written.empty() && bytes.compare(0, written.size(), written) == 0)
            codePage = opening->codePage;
    }
    if (!Decode(bytes, encoding, codePage))
        return OpenResult::CannotOpen;
    // A NUL character is no more text in UTF-16 than a NUL byte is elsewhere (where the sniffer has
    // looked for it already).
    const bool utf16 = encoding == TextEncoding::Utf16LeWithMark || encoding == TextEncoding::Utf16BeWithMark;
    if (utf16 && m_text.find(L'\0') != std::wstring::npos) {
        Close();
        return OpenResult::NotText;
    }
    // A byte order mark written twice, by a program that did not see the first, is one.
    m_text.erase(0, std::min(m_text.find_first_not_of(L'\uFEFF'), m_text.size()));
    m_done = false;
    return OpenResult::Opened;
}

bool CImportFile::Decode(const std::string& bytes, TextEncoding encoding, unsigned codePage)
{
    try {
        switch (encoding) {
        case TextEncoding::Utf16LeWithMark:
        case TextEncoding::Utf16BeWithMark:
            m_text = Utf16FromBytes(bytes, encoding == TextEncoding::Utf16BeWithMark);
            return true;
        case TextEncoding::Utf8WithMark:
            m_text = Utf8ToWide(bytes.data() + 3, bytes.size() - 3, ThrowOnFailure);
            return true;
        case TextEncoding::Utf8:
            m_text = Utf8ToWide(bytes, ThrowOnFailure);
            return true;
        case TextEncoding::SystemCodePage:
            m_text = codePage == CP_ACP ? SystemCodePageToWide(bytes.data(), bytes.size(), ThrowOnFailure)
                                        : CodePageToWide(codePage, bytes, ThrowOnFailure);
            return true;
        case TextEncoding::NotText:
            break;
        }
    } catch (const CTextError&) {
    }
    return false;
}

BOOL CImportFile::ReadString(CString& line)
{
    if (m_done || m_pos >= m_text.size()) {
        m_done = true;
        return FALSE;
    }
    size_t feed = m_text.find(L'\n', m_pos);
    size_t end = feed == std::wstring::npos ? m_text.size() : feed;
    size_t length = end - m_pos;
    if (length > 0 && m_text[end - 1] == L'\r')
        --length;
    line = CString(m_text.substr(m_pos, length));
    m_pos = feed == std::wstring::npos ? m_text.size() : feed + 1;
    if (feed == std::wstring::npos)
        m_done = true;
    return TRUE;
}

void CImportFile::Close()
{
    m_text.clear();
    m_text.shrink_to_fit();
    m_pos = 0;
    m_done = true;
}
