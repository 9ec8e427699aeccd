// The items file's CSV: the bytes the writer makes, the texts written for spreadsheets and read
// back, the records the reader finds in a file (and the lines they start on), the checks a record
// passes to give an item, and a seeded run over ten thousand written files, cut and mutated.
#include "base/text_codec.h"
#include "items/csvreader.h"
#include "items/csvstream.h"
#include "items/csvwriter.h"
#include "items/importfile.h"
#include "items/itemsfile.h"
#include "items/spreadsheettext.h"
#include "tests/support/testdb.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::wstring>;
using Records = std::vector<Fields>;

struct ReadOut {
    Records records;
    std::vector<int> lines;  // the line each record starts on
    CCsvReader::Step last = CCsvReader::Step::End;
    int lastLine = 0;  // Line() once reading ended: where a malformed record starts
};

bool operator==(const ReadOut& a, const ReadOut& b)
{
    return a.records == b.records && a.lines == b.lines && a.last == b.last && a.lastLine == b.lastLine;
}

// Every record of a CCsvReader or a CCsvStream.
template <typename Reader> ReadOut ReadAll(Reader& reader)
{
    ReadOut out;
    Fields fields;
    while ((out.last = reader.Next(fields)) == CCsvReader::Step::Record) {
        out.records.push_back(fields);
        out.lines.push_back(reader.Line());
    }
    out.lastLine = reader.Line();
    return out;
}

ReadOut ReadText(std::wstring_view text)
{
    CCsvReader reader(text);
    return ReadAll(reader);
}

// The same text coming in pieces of 1 to 8 units, their lengths drawn from sizes.
ReadOut ReadInPieces(std::wstring_view text, std::mt19937& sizes)
{
    size_t given = 0;
    CCsvStream stream([&](std::wstring& more) {
        const size_t length = std::min<size_t>(text.size() - given, 1 + sizes() % 8);
        more.append(text.substr(given, length));
        given += length;
        return length > 0;
    });
    return ReadAll(stream);
}

// A text placed so that it ends where readable memory ends: reading one unit past it faults.
class CGuardedText {
public:
    CGuardedText()
    {
        SYSTEM_INFO system = {};
        ::GetSystemInfo(&system);
        m_page = system.dwPageSize;
        m_base = static_cast<char*>(
            ::VirtualAlloc(nullptr, kPages * m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        ::VirtualProtect(m_base + (kPages - 1) * m_page, m_page, PAGE_NOACCESS, &old);
    }
    ~CGuardedText() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
    CGuardedText(const CGuardedText&) = delete;
    CGuardedText& operator=(const CGuardedText&) = delete;

    std::wstring_view Place(const std::wstring& text)
    {
        const size_t bytes = text.size() * sizeof(wchar_t);
        if (bytes > (kPages - 1) * m_page)
            throw std::length_error("text too long for the guarded pages");
        auto* start = reinterpret_cast<wchar_t*>(m_base + (kPages - 1) * m_page - bytes);
        std::memcpy(start, text.data(), bytes);
        return std::wstring_view(start, text.size());
    }

private:
    static constexpr size_t kPages = 16;
    size_t m_page = 4096;
    char* m_base = nullptr;
};

size_t LineBreaks(std::wstring_view text)
{
    size_t breaks = 0;
    for (size_t i = 0; i < text.size(); ++i)
        breaks += text[i] == L'\n' || (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n'));
    return breaks;
}

}  // namespace

TEST(CsvWriter, QuotesOnlyFieldsThatNeedItDoublingTheirQuotesAndEndsEachRecordWithCrLf)
{
    struct Case {
        std::vector<std::string> fields;
        std::string bytes;
        const char* why;
    };
    const Case cases[] = {
        {{"a", "b c"}, "a,b c\r\n", "plain fields stand as they are"},
        {{"a,b", "c"}, "\"a,b\",c\r\n", "a comma"},
        {{"say \"hi\"", "\""}, "\"say \"\"hi\"\"\",\"\"\"\"\r\n", "quotes, doubled"},
        {{u8"一\r\n二", "x\ny", "z\r"}, u8"\"一\r\n二\",\"x\ny\",\"z\r\"\r\n", "line breaks of every kind"},
        {{"", "", ""}, ",,\r\n", "empty fields"},
        {{u8"😀𠮷 café", " lead", "trail "}, u8"😀𠮷 café, lead,trail \r\n", "emoji, and blanks kept"},
        {{u8"标签", u8"内容", u8"点击次数", u8"最后复制时间"},
         u8"标签,内容,点击次数,最后复制时间\r\n",
         "the header"},
    };
    for (const Case& c : cases) {
        std::string out = "before|";
        AppendCsvRecord(out, c.fields);
        EXPECT_EQ(out, "before|" + c.bytes) << c.why;
    }
}

TEST(SpreadsheetText, TextsASpreadsheetWouldRetypeAreWrittenAsTheFormulaShowingThemAndReadBackExactly)
{
    const std::string x254(254, 'x');
    struct Case {
        std::string text;
        std::string field;  // "" for the text as it stands
        const char* why;
    };
    const Case cases[] = {
        {u8"＃N/A", "", "no digit, no sign"},
        {"#N/A", "=\"#N/A\"", "an error value"},
        {u8" \t＝A", u8"=\" \t＝A\"", "a full-width = after blanks"},
        {"=\"a\"&CHAR(10)", "=\"=\"\"a\"\"&CHAR(10)\"", "a text that looks like such a formula"},
        {"\n=A\r\nb", "=CHAR(10)&\"=A\"&CHAR(13)&CHAR(10)&\"b\"", "a formula of several lines"},
        {"=" + x254 + "yz", "=\"=" + x254 + "\"&\"yz\"", "pieces of 255 characters"},
        {"=" + x254.substr(1) + u8"😀", "=\"=" + x254.substr(1) + u8"\"&\"😀\"", "a surrogate pair kept whole"},
        {u8"北京市海淀区 5 号\r\n100080", "", "several lines: never a number or a date"},
        {"   ", "", "blanks"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::string scratch;
        const std::string field(SpreadsheetField(c.text, scratch));
        EXPECT_EQ(field, c.field.empty() ? c.text : c.field);
        std::wstring read = Utf8ToWide(field);
        ReadSpreadsheetField(read);
        EXPECT_EQ(read, Utf8ToWide(c.text)) << "read back exactly";
    }
    for (const wchar_t* field : {L"=1+1", L"=\"a", L"=\"a\"b", L"=\"a\"&", L"=CHAR(9)", L"=", L"\"a\""}) {
        std::wstring read = field;
        ReadSpreadsheetField(read);
        EXPECT_EQ(read, field) << "not such a formula: as it stands";
    }
}

TEST(CsvReader, FindsTheRecordsOfAFileInAnyEncodingWithTheLinesTheyStartOn)
{
    std::string utf16 = "\xFF\xFE";
    for (wchar_t unit : std::wstring(L"😀,\"a\r\nb\"\r\n"))
        utf16 += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    using Step = CCsvReader::Step;
    struct Case {
        std::string bytes;
        Records records;
        std::vector<int> lines;
        Step last;
        int lastLine;
        const char* why;
    };
    const Case cases[] = {
        {"a,b\r\nc,d\r\n", {{L"a", L"b"}, {L"c", L"d"}}, {1, 2}, Step::End, 2, "CR LF between records"},
        {"\"a,b\",\"say \"\"hi\"\"\"\r\n", {{L"a,b", L"say \"hi\""}}, {1}, Step::End, 1, "commas and quotes"},
        {u8"\"一\r\n二\",x\r\n\"\n\",y\r\nnext",
         {{L"一\r\n二", L"x"}, {L"\n", L"y"}, {L"next"}},
         {1, 3, 5},
         Step::End,
         5,
         "line breaks inside fields, the last record without one"},
        {",,\r\n\r\na,",
         {{L"", L"", L""}, {L""}, {L"a", L""}},
         {1, 2, 3},
         Step::End,
         3,
         "empty fields, an empty line, a comma at the very end"},
        {"a\nb\rc\r\n",
         {{L"a"}, {L"b"}, {L"c"}},
         {1, 2, 3},
         Step::End,
         3,
         "a line feed or a carriage return alone"},
        {"a\"b,c\"", {{L"a\"b", L"c\""}}, {1}, Step::End, 1, "a quote inside a field taken as it stands"},
        {u8"\uFEFF标签,x\r\n",
         {{L"标签", L"x"}},
         {1},
         Step::End,
         1,
         "the UTF-8 mark is no part of the first field"},
        {utf16, {{L"😀", L"a\r\nb"}}, {1}, Step::End, 1, "UTF-16 with its mark"},
        {u8"标签,内容,点击次数,最后复制时间\r\n",
         {{L"标签", L"内容", L"点击次数", L"最后复制时间"}},
         {1},
         Step::End,
         1,
         "a header alone"},
        {"", {}, {}, Step::End, 1, "an empty file"},
        {"ok\r\n\"two\r\nlines\"\r\n\"never closed\r\nmore\r\n",
         {{L"ok"}, {L"two\r\nlines"}},
         {1, 2},
         Step::Malformed,
         4,
         "an unclosed quote: named by the line its record starts on"},
        {"ok\n\"a\"b,c\nnext\n", {{L"ok"}}, {1}, Step::Malformed, 2, "text after a closing quote"},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        CImportFile file;
        const std::wstring path =
            testing_support::TestTempPath(L"case" + std::to_wstring(++number) + L".csv");
        testing_support::WriteFileBytes(path, c.bytes);
        ASSERT_EQ(file.Open(path.c_str()), CImportFile::OpenResult::Opened);
        CCsvStream stream([&file](std::wstring& text) { return file.ReadText(text); });
        ReadOut read = ReadAll(stream);
        EXPECT_EQ(read.records, c.records);
        EXPECT_EQ(read.lines, c.lines);
        EXPECT_EQ(read.last, c.last);
        EXPECT_EQ(read.lastLine, c.lastLine);
    }
}

TEST(ItemsFile, ARecordGivesAnItemWithItsTimeInTheTablesFormOrNamesWhatIsWrong)
{
    struct Case {
        Fields fields;
        RecordFault fault;
        std::optional<CFileItem> item;
        const char* why;
    };
    auto item = [](const wchar_t* title, const wchar_t* data1, int clicks, std::optional<std::wstring> time) {
        return std::optional<CFileItem>(CFileItem{title, data1, clicks, std::move(time)});
    };
    const Case cases[] = {
        {{L"标签", L"一\r\n二", L"5", L"2026-02-09 09:15:00"},
         RecordFault::None,
         item(L"标签", L"一\r\n二", 5, L"2026-02-09 09:15:00"),
         "as exported"},
        {{L"", L"x", L"", L""},
         RecordFault::None,
         item(L"", L"x", 0, std::nullopt),
         "no count, never copied"},
        {{L"a", L"x", L" 12 ", L"2026/1/2 3:04"},
         RecordFault::None,
         item(L"a", L"x", 12, L"2026-01-02 03:04:00"),
         "as a spreadsheet saves it: no seconds, no zeros"},
        {{L"a", L"x", L"0", L"2026/12/31 23:04:05"},
         RecordFault::None,
         item(L"a", L"x", 0, L"2026-12-31 23:04:05"),
         "with seconds"},
        {{L"a", L"x", L"2147483647", L"2024/2/29 0:00"},
         RecordFault::None,
         item(L"a", L"x", 2147483647, L"2024-02-29 00:00:00"),
         "the largest count, a leap day"},
        {{L"a", L"", L"3", L""}, RecordFault::None, std::nullopt, "no content: no item"},
        {{L""}, RecordFault::None, std::nullopt, "an empty line"},
        {{L"a", L"x", L"3"}, RecordFault::FieldCount, std::nullopt, "three fields"},
        {{L"a", L"x", L"1.5", L""}, RecordFault::Count, std::nullopt, "a fraction"},
        {{L"a", L"x", L"2147483648", L""}, RecordFault::Count, std::nullopt, "beyond 32 bits"},
        {{L"a", L"x", L"五", L""}, RecordFault::Count, std::nullopt, "not digits"},
        {{L"a", L"x", L"1", L"2026/2/30 1:00"}, RecordFault::Time, std::nullopt, "no such day"},
        {{L"a", L"x", L"1", L"2100/2/29 1:00"}, RecordFault::Time, std::nullopt, "no leap day in 2100"},
        {{L"a", L"x", L"1", L"1/2/2026 3:04"}, RecordFault::Time, std::nullopt, "month first"},
        {{L"a", L"x", L"1", L"2026-1/2 3:04"}, RecordFault::Time, std::nullopt, "two separators"},
        {{L"a", L"x", L"1", L"2026/1/2 3:4"}, RecordFault::Time, std::nullopt, "minutes of one digit"},
        {{L"a", L"x", L"1", L"2026-01-02 03:04:05.5"},
         RecordFault::Time,
         std::nullopt,
         "a fraction of a second"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::optional<CFileItem> read;
        EXPECT_EQ(ReadItemRecord(Fields(c.fields), CItemsFileColumns{}, read), c.fault);
        ASSERT_EQ(read.has_value(), c.item.has_value());
        if (read) {
            EXPECT_EQ(read->title, c.item->title);
            EXPECT_EQ(read->data1, c.item->data1);
            EXPECT_EQ(read->clicktimes, c.item->clicktimes);
            EXPECT_EQ(read->lasttime, c.item->lasttime);
        }
    }
    EXPECT_TRUE(ReadItemsFileHeader({L"标签", L"内容", L"点击次数", L"最后复制时间"}));
    EXPECT_FALSE(ReadItemsFileHeader({L"标签", L"内容", L"点击次数"}));
    EXPECT_EQ(ReadItemsFileHeader({L"标签", L"内容", L"点击次数", L"最后复制时间"})->pinned, std::nullopt)
        << "a file of four columns has no pins";
    EXPECT_EQ(ReadItemsFileHeader({L"\uFEFF置顶", L"标签", L"内容", L"点击次数", L"最后复制时间"})->pinned,
              std::optional<size_t>(0));
}

// Seeded: each run sees the same ten thousand files.
TEST(CsvProperty, WrittenFilesReadBackEqualAndCutOrMutatedOnesAreReadWithinTheirEnd)
{
    std::mt19937 random(20261209);
    auto below = [&random](size_t bound) {
        return std::uniform_int_distribution<size_t>(0, bound - 1)(random);
    };
    const std::wstring pieces[] = {L"a", L"中", L"😀", L",", L"\"", L"\r", L"\n", L"\r\n", L" ", L"'", L"𠮷"};
    const wchar_t mutations[] = {L',', L'"', L'\r', L'\n', L'x', L'\xD83D', L'\xDE00', L'\0'};
    CGuardedText guarded;
    for (int file = 0; file < 10000; ++file) {
        // A record of one empty field is written as an empty line, and read back as one.
        Records records(1 + below(6));
        std::string bytes;
        std::vector<size_t> ends;  // where each record ends in the decoded text
        size_t length = 0;
        for (Fields& record : records) {
            record.resize(1 + below(4));
            std::vector<std::string> utf8;
            for (std::wstring& field : record) {
                for (size_t n = below(9); n > 0; --n)
                    field += pieces[below(std::size(pieces))];
                utf8.push_back(WideToUtf8(field));
            }
            std::string one;
            AppendCsvRecord(one, utf8);
            bytes += one;
            length += Utf8ToWide(one).size();
            ends.push_back(length);
        }
        const std::wstring text = Utf8ToWide(bytes);
        ReadOut whole = ReadText(guarded.Place(text));
        ASSERT_EQ(whole.records, records) << "file " << file;
        ASSERT_EQ(whole.last, CCsvReader::Step::End);
        std::mt19937 pieceSizes(file);
        ASSERT_TRUE(ReadInPieces(text, pieceSizes) == whole) << "file " << file << " in pieces";

        // Cut anywhere: the records before the cut come back whole; the one it falls in is named as
        // malformed, or read as far as it goes (each field but its last whole); nothing after.
        const size_t cut = below(text.size() + 1);
        ReadOut cutRead = ReadText(guarded.Place(text.substr(0, cut)));
        size_t wholeBefore = 0;
        while (wholeBefore < ends.size() && ends[wholeBefore] <= cut)
            ++wholeBefore;
        ASSERT_GE(cutRead.records.size(), wholeBefore) << "file " << file << " cut at " << cut;
        ASSERT_LE(cutRead.records.size(), wholeBefore + 1) << "file " << file << " cut at " << cut;
        for (size_t r = 0; r < wholeBefore; ++r)
            ASSERT_EQ(cutRead.records[r], records[r]) << "file " << file << " cut at " << cut;
        if (cutRead.records.size() > wholeBefore) {
            const Fields& partial = cutRead.records.back();
            const Fields& original = records[wholeBefore];
            ASSERT_LE(partial.size(), original.size());
            for (size_t f = 0; f + 1 < partial.size(); ++f)
                ASSERT_EQ(partial[f], original[f]);
            ASSERT_EQ(original[partial.size() - 1].compare(0, partial.back().size(), partial.back()), 0);
            ASSERT_EQ(cutRead.last, CCsvReader::Step::End);
        }

        // Mutated anywhere: the records before the first change come back whole, lines only grow
        // and stay within the text, and reading ends.
        std::wstring mutated = text;
        size_t first = mutated.size();
        for (size_t n = 1 + below(3); n > 0; --n) {
            const size_t at = below(mutated.size() + 1);
            const wchar_t unit = mutations[below(std::size(mutations))];
            switch (below(3)) {
            case 0:
                mutated.insert(at, 1, unit);
                break;
            case 1:
                if (at < mutated.size())
                    mutated[at] = unit;
                break;
            default:
                if (at < mutated.size())
                    mutated.erase(at, 1);
                break;
            }
            first = std::min(first, at);
        }
        const std::wstring_view placed = guarded.Place(mutated);
        ASSERT_TRUE(ReadInPieces(mutated, pieceSizes) == ReadText(placed))
            << "file " << file << " mutated, in pieces";
        CCsvReader reader(placed);
        Fields fields;
        size_t steps = 0, read = 0;
        int line = 1;
        CCsvReader::Step step;
        while ((step = reader.Next(fields)) == CCsvReader::Step::Record) {
            ASSERT_LE(++steps, mutated.size() + 1) << "file " << file << ": reading does not end";
            if (read < ends.size() && ends[read] <= first) {
                ASSERT_EQ(fields, records[read]) << "file " << file;
            }
            ++read;
            ASSERT_GE(reader.Line(), line);
            line = reader.Line();
            ASSERT_LE(static_cast<size_t>(line), LineBreaks(placed) + 1);
            ASSERT_LE(reader.Position(), mutated.size());
        }
        ASSERT_EQ(reader.Next(fields), step) << "reading stays ended";
    }
}
