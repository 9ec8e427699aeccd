// CStdioFile: buffered line reading.
#include "framework/stdiofile.h"

#include "base/text_codec.h"

#include <cstring>
#include <string>

BOOL CStdioFile::Open(LPCWSTR path, UINT)
{
    Close();
    m_file = OpenFileForReading(path);
    if (!m_file)
        return FALSE;
    m_buffer.resize(64 * 1024);
    m_pos = m_end = 0;
    m_eof = false;
    return TRUE;
}

void CStdioFile::Close()
{
    m_file.Reset();
}

bool CStdioFile::Fill()
{
    if (m_eof || !m_file)
        return false;
    DWORD read = 0;
    if (!ReadFileChunk(m_file, m_buffer, read) || read == 0) {
        m_eof = true;
        return false;
    }
    m_pos = 0;
    m_end = read;
    return true;
}

BOOL CStdioFile::ReadString(CString& line)
{
    std::string text;
    bool any = false;
    for (;;) {
        if (m_pos == m_end && !Fill())
            break;
        any = true;
        const char* start = m_buffer.data() + m_pos;
        const void* feed = std::memchr(start, '\n', m_end - m_pos);
        if (feed) {
            size_t length = static_cast<size_t>(static_cast<const char*>(feed) - start);
            text.append(start, length);
            m_pos += length + 1;
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            line = CString(Utf8ToWide(text));
            return TRUE;
        }
        text.append(start, m_end - m_pos);
        m_pos = m_end;
    }
    line = CString(Utf8ToWide(text));
    return any ? TRUE : FALSE;
}
