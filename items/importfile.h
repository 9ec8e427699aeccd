// CImportFile: a chosen text file, read and decoded to UTF-16 a piece at a time, and handed out
// line by line or piece by piece: what it holds at once does not grow with the file.
#pragma once

#include "base/cstring.h"
#include "base/kernel_handles.h"
#include "items/textdecoder.h"

#include <memory>
#include <string>
#include <vector>

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

    // Opens the file and learns its encoding (from as much of it as that takes: all of it for
    // UTF-8 without a mark), then decodes its first piece.
    OpenResult Open(const CString& path, const CTellingOpening* opening = nullptr);
    // The text the file begins with (its first piece, or all of a small file): what kind of file
    // it is, before any of it is read.
    const std::wstring& Beginning() const { return m_text; }
    // The next line without its end (a line feed, or a carriage return and a line feed); FALSE at
    // the end, or once reading failed (Failure says why). The last line counts without an end.
    BOOL ReadString(CString& line);
    // Appends the next piece of the text to text, for a reader of its own; false at the end or once
    // reading failed.
    bool ReadText(std::wstring& text);
    // Why reading ended before the end of the file: it could not be read further (CannotOpen), or
    // held a NUL character further on (NotText); Opened when it did not.
    OpenResult Failure() const { return m_failure; }
    // How much of the file has been handed out, in thousandths.
    int PermilleRead() const;
    void Close();

private:
    // Decodes the next piece of the file onto the end of text; false when nothing more came (the
    // end, or a failure).
    bool DecodeNext(std::wstring& text);

    CFileHandle m_file;
    std::unique_ptr<CTextDecoder> m_decoder;
    std::vector<char> m_buffer;
    std::wstring m_text;  // decoded and not yet handed out, from m_pos
    size_t m_pos = 0;
    bool m_atEnd = true;  // every byte of the file is decoded
    bool m_done = true;   // ReadString has handed out the last line
    OpenResult m_failure = OpenResult::Opened;
    // For the progress: the file's size, its bytes decoded so far and the units they gave.
    unsigned long long m_size = 0;
    unsigned long long m_bytesDecoded = 0;
    unsigned long long m_unitsDecoded = 0;
};
