// CImportFile: a chosen text file, read line by line into the system code page.
#pragma once

#include "framework/afxwin.h"
#include "items/textsniffer.h"

#include <string>

class CImportFile {
public:
    enum class OpenResult { Opened, CannotOpen, NotText };

    CImportFile() = default;
    CImportFile(const CImportFile&) = delete;
    CImportFile& operator=(const CImportFile&) = delete;

    // Looks at the whole file to learn its encoding, then opens it for reading lines.
    OpenResult Open(const CString& path);
    // The next line without its end (a line feed, or a carriage return and a line feed), in the
    // system code page; FALSE at the end. The last line counts without an end.
    BOOL ReadString(CString& line);
    void Close();
    // True when the opened file holds characters the code page lacks: its lines would give "?"
    // (or a look-alike) in their place.
    bool LosesCharacters() const { return m_losesCharacters; }

private:
    bool LoadUtf16(const CString& path);
    BOOL ReadUtf16Line(CString& line);

    TextEncoding m_encoding = TextEncoding::SystemCodePage;
    CStdioFile m_file;  // code page 936 and UTF-8: a line feed byte is always a line end
    bool m_atFirstLine = true;
    std::wstring m_wide;  // UTF-16, decoded whole after its mark
    size_t m_widePos = 0;
    bool m_wideDone = true;
    bool m_losesCharacters = false;
};
