// CCsvReader: fields split at commas outside quotes, a doubled quote inside quotes standing for one.
#include "items/csvreader.h"

CCsvReader::Step CCsvReader::Next(std::vector<std::wstring>& fields)
{
    fields.clear();
    if (m_malformed)
        return Step::Malformed;
    if (m_pos >= m_text.size())
        return Step::End;
    m_recordLine = m_line;
    for (;;) {
        std::wstring field;
        if (m_pos < m_text.size() && m_text[m_pos] == L'"') {
            ++m_pos;
            if (!ReadQuoted(field)) {
                m_malformed = true;
                fields.clear();
                return Step::Malformed;
            }
        } else {
            // Outside quotes a quote is taken as it stands, as spreadsheets take it.
            const size_t end = m_text.find_first_of(L",\r\n", m_pos);
            const size_t stop = end == std::wstring_view::npos ? m_text.size() : end;
            field.assign(m_text.substr(m_pos, stop - m_pos));
            m_pos = stop;
        }
        fields.push_back(std::move(field));
        // After a comma a field follows, if only an empty one at the end of the text.
        if (m_pos == m_text.size() || m_text[m_pos] != L',')
            break;
        ++m_pos;
    }
    // At a line end or the end of the text: CR LF, LF or CR ends the record.
    if (m_pos < m_text.size()) {
        if (m_text[m_pos] == L'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == L'\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }
    return Step::Record;
}

bool CCsvReader::ReadQuoted(std::wstring& field)
{
    for (;;) {
        const size_t quote = m_text.find(L'"', m_pos);
        if (quote == std::wstring_view::npos)
            return false;
        CountLines(m_pos, quote);
        field.append(m_text.substr(m_pos, quote - m_pos));
        m_pos = quote + 1;
        if (m_pos < m_text.size() && m_text[m_pos] == L'"') {
            field += L'"';
            ++m_pos;
            continue;
        }
        // The closing quote: the field ends here, so a comma, a line end or the end must follow.
        return m_pos == m_text.size() || m_text[m_pos] == L',' || IsLineEndAt(m_pos);
    }
}

void CCsvReader::CountLines(size_t from, size_t to)
{
    for (size_t pos = from; pos < to; ++pos) {
        // CR LF is one line end; the LF counts it.
        if (m_text[pos] == L'\n' || (m_text[pos] == L'\r' && (pos + 1 >= m_text.size() || m_text[pos + 1] != L'\n')))
            ++m_line;
    }
}
