// Building and reading the connection string: Data Source="<path>";Busy Timeout=<ms>.
//
// The text is read unit by unit: the separators '"', ';' and '=' are never half of a surrogate pair.
#include "base/connstr.h"

#include <cwchar>

namespace {

const wchar_t kDataSource[] = L"Data Source";
const wchar_t kBusyTimeout[] = L"Busy Timeout";

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t';
}

class CConnStrReader {
public:
    explicit CConnStrReader(const std::wstring& text) : m_text(text) {}

    bool AtEnd() const { return m_at >= m_text.size(); }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(m_text[m_at]))
            ++m_at;
    }

    // The key up to '=', blanks around it dropped; false when there is no '='.
    bool ReadKey(std::wstring* key)
    {
        size_t equals = m_text.find(L'=', m_at);
        size_t semicolon = m_text.find(L';', m_at);
        if (equals == std::wstring::npos || (semicolon != std::wstring::npos && semicolon < equals))
            return false;
        *key = Trimmed(m_text.substr(m_at, equals - m_at));
        m_at = equals + 1;
        return true;
    }

    // A value up to the next ';' or the end: quoted ("" inside standing for ") or bare.
    bool ReadValue(std::wstring* value)
    {
        SkipBlanks();
        value->clear();
        if (!AtEnd() && m_text[m_at] == L'"') {
            ++m_at;
            for (;;) {
                if (AtEnd())
                    return false;  // no closing quote
                wchar_t ch = m_text[m_at++];
                if (ch != L'"') {
                    *value += ch;
                } else if (!AtEnd() && m_text[m_at] == L'"') {
                    *value += L'"';
                    ++m_at;
                } else {
                    break;
                }
            }
            SkipBlanks();
        } else {
            size_t semicolon = m_text.find(L';', m_at);
            size_t stop = semicolon == std::wstring::npos ? m_text.size() : semicolon;
            *value = Trimmed(m_text.substr(m_at, stop - m_at));
            if (value->find(L'"') != std::wstring::npos)
                return false;
            m_at = stop;
        }
        if (AtEnd())
            return true;
        if (m_text[m_at] != L';')
            return false;
        ++m_at;
        return true;
    }

private:
    static std::wstring Trimmed(const std::wstring& text)
    {
        size_t first = 0;
        size_t last = text.size();
        while (first < last && IsBlank(text[first]))
            ++first;
        while (last > first && IsBlank(text[last - 1]))
            --last;
        return text.substr(first, last - first);
    }

    const std::wstring& m_text;
    size_t m_at = 0;
};

bool ParseMilliseconds(const std::wstring& text, int* ms)
{
    if (text.empty() || text.size() > 9)
        return false;
    int value = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9')
            return false;
        value = value * 10 + (ch - L'0');
    }
    *ms = value;
    return true;
}

}  // namespace

CString BuildConnectionString(const CString& path, int busyTimeoutMs)
{
    std::wstring quoted;
    for (wchar_t ch : path.str()) {
        quoted += ch;
        if (ch == L'"')
            quoted += L'"';
    }
    CString text;
    text.Format(L"%ls=\"%ls\";%ls=%d", kDataSource, quoted.c_str(), kBusyTimeout,
                busyTimeoutMs < 0 ? 0 : busyTimeoutMs);
    return text;
}

bool ParseConnectionString(const CString& connStr, CConnectionSettings* settings)
{
    CConnStrReader reader(connStr.str());
    bool havePath = false;
    bool haveTimeout = false;
    CConnectionSettings parsed;
    std::wstring path;
    for (reader.SkipBlanks(); !reader.AtEnd(); reader.SkipBlanks()) {
        std::wstring key;
        std::wstring value;
        if (!reader.ReadKey(&key) || !reader.ReadValue(&value))
            return false;
        if (_wcsicmp(key.c_str(), kDataSource) == 0 && !havePath && !value.empty()) {
            path = value;
            havePath = true;
        } else if (_wcsicmp(key.c_str(), kBusyTimeout) == 0 && !haveTimeout &&
                   ParseMilliseconds(value, &parsed.busyTimeoutMs)) {
            haveTimeout = true;
        } else {
            return false;  // an unknown, repeated or malformed setting
        }
    }
    if (!havePath || path.find(L'\0') != std::wstring::npos)
        return false;
    parsed.path = path;
    *settings = parsed;
    return true;
}

CString WithBusyTimeout(const CString& connStr, int busyTimeoutMs)
{
    CConnectionSettings settings;
    if (!ParseConnectionString(connStr, &settings))
        return connStr;
    return BuildConnectionString(settings.path, busyTimeoutMs);
}
