// CStdioFile: buffered line reading.
#include "framework/stdiofile.h"

#include <cstring>
#include <string>

BOOL CStdioFile::Open(LPCSTR path, UINT)
{
    Close();
    m_hFile = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    m_buffer.resize(64 * 1024);
    m_pos = m_end = 0;
    m_eof = false;
    return TRUE;
}

void CStdioFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

bool CStdioFile::Fill()
{
    if (m_eof || m_hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, m_buffer.data(), static_cast<DWORD>(m_buffer.size()), &read, nullptr) ||
        read == 0) {
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
            line = CString(text);
            return TRUE;
        }
        text.append(start, m_end - m_pos);
        m_pos = m_end;
    }
    line = CString(text);
    return any ? TRUE : FALSE;
}
