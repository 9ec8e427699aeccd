// CImportFile: a chosen text file, read once, decoded once to UTF-16 and handed out line by line.
#pragma once

#include "base/cstring.h"
#include "items/textsniffer.h"

#include <string>

// Text whose code page a file tells by how it begins: a file in the system code page that begins
// with this text written in codePage is read in codePage instead (a fixed header, written by a
// program of another system's code page).
struct CTellingOpening {
    std::wstring text;
    unsigned codePage;
};

class CImportFile {
public:
    enum class OpenResult { Opened, CannotOpen, NotText };

    CImportFile() = default;
    CImportFile(const CImportFile&) = delete;
    CImportFile& operator=(const CImportFile&) = delete;

    // Reads the whole file, learns its encoding and decodes it.
    OpenResult Open(const CString& path, const CTellingOpening* opening = nullptr);
    // The whole decoded text, for a reader of its own.
    const std::wstring& Text() const { return m_text; }
    // The next line without its end (a line feed, or a carriage return and a line feed); FALSE at
    // the end. The last line counts without an end.
    BOOL ReadString(CString& line);
    // How much of the text has been handed out, in thousandths.
    int PermilleRead() const
    {
        return m_text.empty() ? 1000 : static_cast<int>(m_pos * 1000 / m_text.size());
    }
    void Close();

private:
    bool Decode(const std::string& bytes, TextEncoding encoding, unsigned codePage);

    std::wstring m_text;
    size_t m_pos = 0;
    bool m_done = true;
};
