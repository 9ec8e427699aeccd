// CCsvReader: the records of a CSV text one at a time, as RFC 4180 has them and as spreadsheets
// write them (records may also end in a line feed or a carriage return alone).
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CCsvReader {
public:
    enum class Step {
        Record,     // the fields of the next record
        End,        // every record has been read
        Malformed,  // the record that starts at Line() has a quote that is never closed, or text
                    // after a closing quote: reading stops there
    };

    // The text must outlive the reader.
    explicit CCsvReader(std::wstring_view text) : m_text(text) {}

    Step Next(std::vector<std::wstring>& fields);
    // The line, counted from 1, on which the record last read (or found malformed) starts.
    int Line() const { return m_recordLine; }
    // Units of the text read so far.
    size_t Position() const { return m_pos; }

private:
    // Reads a field between quotes from just after its opening quote; false when it is malformed.
    bool ReadQuoted(std::wstring& field);
    // Counts the line ends in [from, to).
    void CountLines(size_t from, size_t to);
    bool IsLineEndAt(size_t pos) const { return m_text[pos] == L'\r' || m_text[pos] == L'\n'; }

    std::wstring_view m_text;
    size_t m_pos = 0;
    int m_line = 1;
    int m_recordLine = 1;
    bool m_malformed = false;
};
