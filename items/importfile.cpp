// CImportFile: sniffing pass, then CStdioFile for byte encodings or a decoded copy for UTF-16.
#include "items/importfile.h"

#include "base/kernel_handles.h"
#include "base/text_codec.h"

#include <cstring>
#include <vector>

namespace {

constexpr size_t kChunkSize = 64 * 1024;
const char kUtf8Mark[] = "\xEF\xBB\xBF";

// The whole file's bytes; false when it cannot be read.
bool ReadWholeFile(const CString& path, std::string& bytes)
{
    CFileHandle file = OpenFileForReading(path);
    if (!file)
        return false;
    bytes.clear();
    std::vector<char> buffer(kChunkSize);
    DWORD read = 0;
    do {
        if (!ReadFileChunk(file, buffer, read))
            return false;
        bytes.append(buffer.data(), read);
    } while (read > 0);
    return true;
}

}  // namespace

CImportFile::OpenResult CImportFile::Open(const CString& path)
{
    Close();
    CTextSniffer sniffer;
    {
        CFileHandle file = OpenFileForReading(path);
        if (!file)
            return OpenResult::CannotOpen;
        std::vector<char> buffer(kChunkSize);
        DWORD read = 0;
        while (!sniffer.Settled()) {
            if (!ReadFileChunk(file, buffer, read))
                return OpenResult::CannotOpen;
            if (read == 0)
                break;
            sniffer.Feed(buffer.data(), read);
        }
    }
    m_encoding = sniffer.Result();
    switch (m_encoding) {
    case TextEncoding::NotText:
        return OpenResult::NotText;
    case TextEncoding::Utf16LeWithMark:
    case TextEncoding::Utf16BeWithMark:
        if (!LoadUtf16(path))
            return OpenResult::CannotOpen;
        // A NUL character is no more text in UTF-16 than a NUL byte is elsewhere.
        if (m_wide.find(L'\0') != std::wstring::npos) {
            Close();
            return OpenResult::NotText;
        }
        m_losesCharacters = !FitsSystemCodePage(m_wide);
        return OpenResult::Opened;
    case TextEncoding::SystemCodePage:
        // Its lines are taken byte for byte: nothing is replaced.
        break;
    case TextEncoding::Utf8:
    case TextEncoding::Utf8WithMark: {
        std::string bytes;
        if (!ReadWholeFile(path, bytes))
            return OpenResult::CannotOpen;
        if (m_encoding == TextEncoding::Utf8WithMark && bytes.compare(0, 3, kUtf8Mark) == 0)
            bytes.erase(0, 3);
        m_losesCharacters = !FitsSystemCodePage(Utf8ToWide(bytes));
        break;
    }
    }
    if (!m_file.Open(path, CStdioFile::modeRead | CStdioFile::typeText))
        return OpenResult::CannotOpen;
    m_atFirstLine = true;
    return OpenResult::Opened;
}

bool CImportFile::LoadUtf16(const CString& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    bool bigEndian = m_encoding == TextEncoding::Utf16BeWithMark;
    m_wide.clear();
    m_wide.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        auto first = static_cast<unsigned char>(bytes[i]);
        auto second = static_cast<unsigned char>(bytes[i + 1]);
        m_wide += static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    // A dangling odd byte is half a character: it cannot be read, so it shows as one.
    if (bytes.size() > 2 && bytes.size() % 2 != 0)
        m_wide += L'\xFFFD';
    m_widePos = 0;
    m_wideDone = false;
    return true;
}

BOOL CImportFile::ReadString(CString& line)
{
    if (m_encoding == TextEncoding::Utf16LeWithMark || m_encoding == TextEncoding::Utf16BeWithMark)
        return ReadUtf16Line(line);
    if (!m_file.ReadString(line))
        return FALSE;
    if (m_encoding == TextEncoding::SystemCodePage)
        return TRUE;
    std::string bytes = line.str();
    if (m_atFirstLine && m_encoding == TextEncoding::Utf8WithMark && bytes.compare(0, 3, kUtf8Mark) == 0)
        bytes.erase(0, 3);
    m_atFirstLine = false;
    line = WideToSystem(Utf8ToWide(bytes), Unmappable::QuestionMark);
    return TRUE;
}

BOOL CImportFile::ReadUtf16Line(CString& line)
{
    if (m_wideDone || m_widePos >= m_wide.size()) {
        m_wideDone = true;
        return FALSE;
    }
    size_t feed = m_wide.find(L'\n', m_widePos);
    size_t end = feed == std::wstring::npos ? m_wide.size() : feed;
    size_t length = end - m_widePos;
    if (length > 0 && m_wide[end - 1] == L'\r')
        --length;
    line = WideToSystem(m_wide.substr(m_widePos, length), Unmappable::QuestionMark);
    m_widePos = feed == std::wstring::npos ? m_wide.size() : feed + 1;
    if (feed == std::wstring::npos)
        m_wideDone = true;
    return TRUE;
}

void CImportFile::Close()
{
    m_file.Close();
    m_wide.clear();
    m_widePos = 0;
    m_wideDone = true;
    m_losesCharacters = false;
}
