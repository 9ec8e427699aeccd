// CCsvStream: a record read again, after more text has come, until the text decides it.
#include "items/csvstream.h"

#include <string_view>

CCsvReader::Step CCsvStream::Next(std::vector<std::wstring>& fields)
{
    fields.clear();
    if (m_malformed)
        return CCsvReader::Step::Malformed;
    for (;;) {
        const std::wstring_view rest(m_text.data() + m_pos, m_text.size() - m_pos);
        CCsvReader reader(rest);
        const CCsvReader::Step step = reader.Next(fields);
        if (m_ended || Decided(step, reader.Position())) {
            if (step == CCsvReader::Step::End)
                return step;
            m_recordLine = m_line;
            if (step == CCsvReader::Step::Malformed) {
                m_malformed = true;
                return step;
            }
            // Line ends read, as the reader counts them: CR LF is one.
            for (size_t at = m_pos, end = m_pos + reader.Position(); at < end; ++at) {
                if (m_text[at] == L'\n' ||
                    (m_text[at] == L'\r' && (at + 1 == m_text.size() || m_text[at + 1] != L'\n')))
                    ++m_line;
            }
            m_pos += reader.Position();
            return step;
        }
        fields.clear();
        if (!More())
            m_ended = true;
    }
}

bool CCsvStream::Decided(CCsvReader::Step step, size_t used)
{
    const size_t held = m_text.size() - m_pos;
    // A record that reached the end of the text (a field, or a CR whose LF may follow) goes on.
    if (step == CCsvReader::Step::End || used >= held)
        return false;
    if (step == CCsvReader::Step::Record)
        return true;
    // Malformed before the end: text after a closing quote is so whatever follows, but an open
    // quote may close further on. A quote put at the end tells them apart: it closes an open one.
    m_text += L'"';
    CCsvReader again(std::wstring_view(m_text.data() + m_pos, held + 1));
    std::vector<std::wstring> fields;
    const bool stillMalformed = again.Next(fields) == CCsvReader::Step::Malformed && again.Position() < held;
    m_text.pop_back();
    return stillMalformed;
}

bool CCsvStream::More()
{
    m_text.erase(0, m_pos);
    m_pos = 0;
    // As much again each time: a record longer than a piece is read again a few times, not once a
    // piece.
    const size_t wanted = m_text.size() * 2 + 1;
    bool more = true;
    while (m_text.size() < wanted && (more = m_source(m_text))) {
    }
    return more;
}
