// Building and reading the connection string: Data Source="<path>";Busy Timeout=<ms>.
//
// The text is read byte by byte. That is sound in code page 936: the separators '"', ';' and '='
// are below 0x40, the lowest second byte of a double-byte character, so they never occur inside one.
#include "base/connstr.h"

#include "base/text_codec.h"

#include <climits>
#include <cstring>

namespace {

const char kDataSource[] = "Data Source";
const char kBusyTimeout[] = "Busy Timeout";

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

class CConnStrReader {
public:
    explicit CConnStrReader(const std::string& text) : m_text(text) {}

    bool AtEnd() const { return m_at >= m_text.size(); }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(m_text[m_at]))
            ++m_at;
    }

    // The key up to '=', blanks around it dropped; false when there is no '='.
    bool ReadKey(std::string* key)
    {
        size_t equals = m_text.find('=', m_at);
        size_t semicolon = m_text.find(';', m_at);
        if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals))
            return false;
        *key = Trimmed(m_text.substr(m_at, equals - m_at));
        m_at = equals + 1;
        return true;
    }

    // A value up to the next ';' or the end: quoted ("" inside standing for ") or bare.
    bool ReadValue(std::string* value)
    {
        SkipBlanks();
        value->clear();
        if (!AtEnd() && m_text[m_at] == '"') {
            ++m_at;
            for (;;) {
                if (AtEnd())
                    return false;  // no closing quote
                char ch = m_text[m_at++];
                if (ch != '"') {
                    *value += ch;
                } else if (!AtEnd() && m_text[m_at] == '"') {
                    *value += '"';
                    ++m_at;
                } else {
                    break;
                }
            }
            SkipBlanks();
        } else {
            size_t semicolon = m_text.find(';', m_at);
            size_t stop = semicolon == std::string::npos ? m_text.size() : semicolon;
            *value = Trimmed(m_text.substr(m_at, stop - m_at));
            if (value->find('"') != std::string::npos)
                return false;
            m_at = stop;
        }
        if (AtEnd())
            return true;
        if (m_text[m_at] != ';')
            return false;
        ++m_at;
        return true;
    }

private:
    static std::string Trimmed(const std::string& text)
    {
        size_t first = 0;
        size_t last = text.size();
        while (first < last && IsBlank(text[first]))
            ++first;
        while (last > first && IsBlank(text[last - 1]))
            --last;
        return text.substr(first, last - first);
    }

    const std::string& m_text;
    size_t m_at = 0;
};

bool ParseMilliseconds(const std::string& text, int* ms)
{
    if (text.empty() || text.size() > 9)
        return false;
    int value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
        value = value * 10 + (ch - '0');
    }
    *ms = value;
    return true;
}

}  // namespace

CString BuildConnectionString(const CString& path, int busyTimeoutMs)
{
    std::string quoted;
    for (char ch : path.str()) {
        quoted += ch;
        if (ch == '"')
            quoted += '"';
    }
    CString text;
    text.Format("%s=\"%s\";%s=%d", kDataSource, quoted.c_str(), kBusyTimeout,
                busyTimeoutMs < 0 ? 0 : busyTimeoutMs);
    return text;
}

bool ParseConnectionString(const CString& connStr, CConnectionSettings* settings)
{
    CConnStrReader reader(connStr.str());
    bool havePath = false;
    bool haveTimeout = false;
    CConnectionSettings parsed;
    std::string path;
    for (reader.SkipBlanks(); !reader.AtEnd(); reader.SkipBlanks()) {
        std::string key;
        std::string value;
        if (!reader.ReadKey(&key) || !reader.ReadValue(&value))
            return false;
        if (_stricmp(key.c_str(), kDataSource) == 0 && !havePath && !value.empty()) {
            path = value;
            havePath = true;
        } else if (_stricmp(key.c_str(), kBusyTimeout) == 0 && !haveTimeout &&
                   ParseMilliseconds(value, &parsed.busyTimeoutMs)) {
            haveTimeout = true;
        } else {
            return false;  // an unknown, repeated or malformed setting
        }
    }
    if (!havePath || path.find('\0') != std::string::npos)
        return false;
    try {
        parsed.path = SystemToWide(CString(path), ThrowOnFailure);
    } catch (const CTextError&) {
        return false;
    }
    *settings = parsed;
    return true;
}

CString WithBusyTimeout(const CString& connStr, int busyTimeoutMs)
{
    CConnectionSettings settings;
    if (!ParseConnectionString(connStr, &settings))
        return connStr;
    try {
        return BuildConnectionString(WideToSystem(settings.path, Unmappable::BestFit, ThrowOnFailure),
                                     busyTimeoutMs);
    } catch (const CTextError&) {
        return connStr;
    }
}
