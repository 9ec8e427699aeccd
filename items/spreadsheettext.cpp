// Spreadsheet texts: which texts a spreadsheet retypes, the formula written for them and its reading.
#include "items/spreadsheettext.h"

#include <cstring>

namespace {

// Excel takes text of at most 255 characters (UTF-16 units) between the quotes of a formula.
constexpr size_t kMaxLiteralUnits = 255;

// The third byte of a full-width form (U+FF00 to U+FF3F, EF BC xx in UTF-8) at pos, or 0.
unsigned char FullWidthAt(std::string_view text, size_t pos)
{
    if (pos + 2 < text.size() && text.compare(pos, 2, "\xEF\xBC") == 0)
        return static_cast<unsigned char>(text[pos + 2]);
    return 0;
}

bool EqualsIgnoringCase(std::string_view text, const char* word)
{
    if (text.size() != std::strlen(word))
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        if (ch != word[i])
            return false;
    }
    return true;
}

}  // namespace

bool SpreadsheetWouldRetype(std::string_view text)
{
    // Blanks before it are skipped by some spreadsheets: the first other character decides.
    const size_t lead = text.find_first_not_of(" \t\r\n");
    if (lead == std::string_view::npos)
        return false;
    // A formula (=, +, -, @, also full-width), an error value (#N/A), or a text mark (').
    if (std::strchr("=+-@#'", text[lead]))
        return true;
    const unsigned char wide = FullWidthAt(text, lead);
    if (wide == 0x9D || wide == 0x8B || wide == 0x8D || wide == 0xA0)
        return true;
    // A cell of several lines is never read as a number or a date.
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return false;
    // Numbers, dates, times, percentages, fractions all hold a digit, ASCII or full-width.
    if (text.find_first_of("0123456789") != std::string_view::npos)
        return true;
    for (size_t pos = text.find("\xEF\xBC"); pos != std::string_view::npos;
         pos = text.find("\xEF\xBC", pos + 1)) {
        const unsigned char third = FullWidthAt(text, pos);
        if (third >= 0x90 && third <= 0x99)
            return true;
    }
    return EqualsIgnoringCase(text, "TRUE") || EqualsIgnoringCase(text, "FALSE");
}

std::string_view SpreadsheetField(std::string_view text, std::string& scratch)
{
    if (!SpreadsheetWouldRetype(text))
        return text;
    scratch.assign(1, '=');
    bool inLiteral = false;
    size_t units = 0;
    auto closeLiteral = [&] {
        if (inLiteral)
            scratch += '"';
        inLiteral = false;
    };
    auto join = [&] {
        if (scratch.size() > 1)
            scratch += '&';
    };
    for (char ch : text) {
        if (ch == '\r' || ch == '\n') {
            closeLiteral();
            join();
            scratch += ch == '\r' ? "CHAR(13)" : "CHAR(10)";
            continue;
        }
        // Units the text gains: a quote is written twice, a character beyond U+FFFF is a surrogate
        // pair, a continuation byte belongs to the character before (and so never starts a piece).
        const auto byte = static_cast<unsigned char>(ch);
        const size_t width = ch == '"' || byte >= 0xF0 ? 2 : (byte & 0xC0) == 0x80 ? 0 : 1;
        if (inLiteral && units + width > kMaxLiteralUnits)
            closeLiteral();
        if (!inLiteral) {
            join();
            scratch += '"';
            inLiteral = true;
            units = 0;
        }
        units += width;
        scratch += ch;
        if (ch == '"')
            scratch += '"';
    }
    closeLiteral();
    return scratch;
}

void ReadSpreadsheetField(std::wstring& field)
{
    if (field.size() < 2 || field[0] != L'=')
        return;
    std::wstring text;
    for (size_t pos = 1;;) {
        if (pos < field.size() && field[pos] == L'"') {
            // The literal ends at the first quote that is not one of a doubled pair.
            for (++pos;; pos += 2) {
                const size_t quote = field.find(L'"', pos);
                if (quote == std::wstring::npos)
                    return;
                text.append(field, pos, quote - pos);
                pos = quote;
                if (pos + 1 == field.size() || field[pos + 1] != L'"')
                    break;
                text += L'"';
            }
            ++pos;
        } else if (field.compare(pos, 8, L"CHAR(10)") == 0 || field.compare(pos, 8, L"CHAR(13)") == 0) {
            text += field[pos + 6] == L'0' ? L'\n' : L'\r';
            pos += 8;
        } else {
            return;
        }
        if (pos == field.size())
            break;
        if (field[pos] != L'&')
            return;
        ++pos;
    }
    field = std::move(text);
}
