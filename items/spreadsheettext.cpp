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

// Appends a line as one literal, or as literals joined by & where it is longer than one may be.
void AppendLiterals(std::string& out, std::string_view line)
{
    out += '"';
    // Short enough even if every byte were a quote (written twice): copied a run at a time.
    if (line.size() * 2 <= kMaxLiteralUnits) {
        for (size_t quote; (quote = line.find('"')) != std::string_view::npos; line.remove_prefix(quote + 1))
            out.append(line.substr(0, quote + 1)) += '"';
        out.append(line) += '"';
        return;
    }
    size_t units = 0;
    for (char ch : line) {
        // Units the text gains: a quote is written twice, a character beyond U+FFFF is a surrogate
        // pair, a continuation byte belongs to the character before (and so never starts a piece).
        const auto byte = static_cast<unsigned char>(ch);
        const size_t width = ch == '"' || byte >= 0xF0 ? 2 : (byte & 0xC0) == 0x80 ? 0 : 1;
        if (units + width > kMaxLiteralUnits) {
            out += "\"&\"";
            units = 0;
        }
        units += width;
        out += ch;
        if (ch == '"')
            out += '"';
    }
    out += '"';
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
    // Numbers, dates, times, percentages, fractions all hold a digit, ASCII or full-width; but a
    // cell of several lines is never read as a number or a date.
    bool digit = false;
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte == '\r' || byte == '\n')
            return false;
        if ((byte >= '0' && byte <= '9') ||
            (byte == 0xEF && FullWidthAt(text, pos) >= 0x90 && FullWidthAt(text, pos) <= 0x99))
            digit = true;
    }
    return digit || EqualsIgnoringCase(text, "TRUE") || EqualsIgnoringCase(text, "FALSE");
}

std::string_view SpreadsheetField(std::string_view text, std::string& scratch)
{
    if (!SpreadsheetWouldRetype(text))
        return text;
    scratch.assign(1, '=');
    for (size_t pos = 0; pos < text.size();) {
        if (scratch.size() > 1)
            scratch += '&';
        if (text[pos] == '\r' || text[pos] == '\n') {
            scratch += text[pos++] == '\r' ? "CHAR(13)" : "CHAR(10)";
            continue;
        }
        size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        AppendLiterals(scratch, text.substr(pos, end - pos));
        pos = end;
    }
    return scratch;
}

void ReadSpreadsheetField(std::wstring& field)
{
    if (field.size() < 2 || field[0] != L'=')
        return;
    // ="…" with no quote inside: the text is what stands between, taken out in place.
    if (field.size() >= 3 && field[1] == L'"' && field.back() == L'"' &&
        field.find(L'"', 2) == field.size() - 1) {
        field.erase(field.size() - 1).erase(0, 2);
        return;
    }
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
