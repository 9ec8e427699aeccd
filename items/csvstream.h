// CCsvStream: the records of CSV text that comes in pieces (a file read a piece at a time), each
// read by CCsvReader once the text that has come holds all that decides it.
#pragma once

#include "items/csvreader.h"

#include <functional>
#include <string>
#include <vector>

class CCsvStream {
public:
    // Appends the next piece of the text to text; false when no more comes.
    using Source = std::function<bool(std::wstring& text)>;

    explicit CCsvStream(Source source) : m_source(std::move(source)) {}

    // The records, as CCsvReader::Next gives them from the whole text.
    CCsvReader::Step Next(std::vector<std::wstring>& fields);
    // As CCsvReader::Line: the line, counted from 1, on which the record last read (or found
    // malformed) starts.
    int Line() const { return m_recordLine; }

private:
    // Whether the record read at the start of the text held, step, ending at used, was decided by
    // the text that has come: a record that runs to its end, or a quote left open, may go on in
    // the next piece.
    bool Decided(CCsvReader::Step step, size_t used);
    // Drops the text read and takes in at least as much again as is held; false once the source
    // has given all its text.
    bool More();

    Source m_source;
    std::wstring m_text;  // the text not yet read as records, from m_pos
    size_t m_pos = 0;
    bool m_ended = false;  // the source has given all its text
    bool m_malformed = false;
    int m_line = 1;  // where the next record starts
    int m_recordLine = 1;
};
