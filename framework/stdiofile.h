// CStdioFile: reads a UTF-8 text file line by line. A line ends at a line feed; a carriage return
// right before it belongs to the end. Every other byte (0x1A included) is content.
#pragma once

#include "base/kernel_handles.h"
#include "base/cstring.h"

#include <vector>
#include <windows.h>

class CStdioFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        shareCompat = 0x0000,
        typeText = 0x4000,
    };

    CStdioFile() = default;
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Opens an existing file for reading; FALSE when it cannot be opened.
    BOOL Open(LPCWSTR path, UINT flags);
    // The next line without its end; FALSE at the end of the file.
    BOOL ReadString(CString& line);
    void Close();
    bool IsOpen() const { return m_file.IsValid(); }

private:
    bool Fill();

    CFileHandle m_file;
    std::vector<char> m_buffer;
    size_t m_pos = 0;
    size_t m_end = 0;
    bool m_eof = false;
};
