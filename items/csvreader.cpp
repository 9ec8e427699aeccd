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
            size_t stop = m_pos;
            while (stop < m_text.size() && m_text[stop] != L',' && !IsLineEndAt(stop))
                ++stop;
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
    // The field ends at the first quote that is not one of a doubled pair.
    size_t close = m_pos;
    for (;; close += 2) {
        close = m_text.find(L'"', close);
        if (close == std::wstring_view::npos)
            return false;
        if (close + 1 == m_text.size() || m_text[close + 1] != L'"')
            break;
    }
    CountLines(m_pos, close);
    field.reserve(close - m_pos);
    for (size_t pair; (pair = m_text.find(L'"', m_pos)) < close; m_pos = pair + 2)
        field.append(m_text.substr(m_pos, pair + 1 - m_pos));  // one quote of the two
    field.append(m_text.substr(m_pos, close - m_pos));
    m_pos = close + 1;
    // After the closing quote a comma, a line end or the end must follow.
    return m_pos == m_text.size() || m_text[m_pos] == L',' || IsLineEndAt(m_pos);
}

void CCsvReader::CountLines(size_t from, size_t to)
{
    for (size_t pos = from; pos < to; ++pos) {
        // CR LF is one line end; the LF counts it.
        if (m_text[pos] == L'\n' ||
            (m_text[pos] == L'\r' && (pos + 1 >= m_text.size() || m_text[pos + 1] != L'\n')))
            ++m_line;
    }
}
