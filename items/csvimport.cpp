// ImportItemsFile: read every record, drop those repeating an item, insert the rest last first.
#include "items/csvimport.h"

#include "items/csvreader.h"
#include "items/stopwatch.h"
#include "store/batch.h"
#include "store/itemid.h"
#include "store/rowquery.h"
#include "store/statements.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace {

// Records between two reports of progress and looks at the cancel flag.
constexpr int kRecordsPerReport = 256;
// Chinese Windows' code page, in which its spreadsheets save "CSV (逗号分隔)".
constexpr unsigned kChineseCodePage = 936;

// The records of the file up to the end or the first malformed one.
struct ReadRecords {
    std::vector<CFileItem> items;  // in file order; records without a content give none
    RecordFault fault = RecordFault::None;
    int faultLine = 0;
    bool cancelled = false;
};

ReadRecords ReadItems(const std::wstring& text, CImportProgress* progress)
{
    ReadRecords read;
    CCsvReader reader(text);
    std::vector<std::wstring> fields;
    reader.Next(fields);  // the header
    for (int records = 1;; ++records) {
        const CCsvReader::Step step = reader.Next(fields);
        if (step == CCsvReader::Step::End)
            break;
        if (records % kRecordsPerReport == 0 && progress) {
            // Reading is the first half of the work.
            progress->Report(records, static_cast<int>(reader.Position() * 500 / text.size()));
            if (progress->IsCancelled()) {
                read.cancelled = true;
                break;
            }
        }
        std::optional<CFileItem> item;
        read.fault = step == CCsvReader::Step::Malformed ? RecordFault::Quotes : ReadItemRecord(fields, item);
        if (read.fault != RecordFault::None) {
            read.faultLine = reader.Line();
            break;
        }
        if (item)
            read.items.push_back(std::move(*item));
    }
    return read;
}

// A hash of both texts (FNV-1a over their units, the label's length first, so that where the label
// ends is part of it). Equal hashes are only candidates: the texts themselves decide.
uint64_t TextsHash(const std::wstring& title, const std::wstring& data1)
{
    uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](uint64_t value) { hash = (hash ^ value) * 1099511628211ull; };
    mix(title.size());
    for (wchar_t unit : title)
        mix(unit);
    for (wchar_t unit : data1)
        mix(unit);
    return hash;
}

// A label or content as the list shows it: a null is an empty text.
const std::wstring& TextOf(const CDbValue& value)
{
    static const std::wstring kNone;
    return value.GetKind() == CDbValue::Kind::Text ? value.AsText() : kNone;
}

}  // namespace

CTellingOpening ItemsFileOpening()
{
    std::wstring header;
    for (const wchar_t* field : kItemsFileHeader)
        header += (header.empty() ? L"" : L",") + std::wstring(field);
    return CTellingOpening{header, kChineseCodePage};
}

bool IsItemsFile(const std::wstring& text)
{
    CCsvReader reader(text);
    std::vector<std::wstring> fields;
    return reader.Next(fields) == CCsvReader::Step::Record && IsItemsFileHeader(fields);
}

CImportReport ImportItemsFile(const CString& connStr, const std::wstring& text, CImportProgress* progress)
{
    CImportReport report;
    report.itemsFile = true;
    ReadRecords read = ReadItems(text, progress);
    if (read.cancelled) {
        report.outcome = CImportReport::Outcome::Cancelled;
        return report;
    }
    report.fault = read.fault;
    report.faultLine = read.faultLine;
    const std::vector<CFileItem>& items = read.items;

    CStopwatch tableClock(report.tableSeconds);
    auto batch = tableClock.Time([&] { return std::make_unique<CStatementBatch>(connStr); });
    // Nothing of the file stays: the batch is rolled back when it goes.
    auto nothingImported = [&](CImportReport::Outcome outcome) {
        report.outcome = outcome;
        report.failureCode = batch->FailureCode();
        report.importedLines = 0;
        report.skippedRepeats = 0;
        report.newIds.clear();
        return report;
    };

    // The items already there, by the hash of their texts, read inside the import's transaction.
    std::unordered_multimap<uint64_t, long long> stored;
    if (tableClock.Time([&] {
            return batch->Query(StmtSelectEveryItemTexts(), {}, [&](const CDbRow& row) {
                stored.emplace(TextsHash(TextOf(row.Value(1)), TextOf(row.Value(2))), row.Value(0).AsInteger());
            });
        }) != CStatementBatch::Outcome::Ran)
        return nothingImported(CImportReport::Outcome::Failed);

    // A record repeats an item already there, or one before it in the file (the first one stays).
    std::vector<char> repeats(items.size(), 0);
    std::unordered_multimap<uint64_t, size_t> kept;
    for (size_t i = 0; i < items.size(); ++i) {
        const CFileItem& item = items[i];
        const uint64_t hash = TextsHash(item.title, item.data1);
        bool repeat = false;
        auto earlier = kept.equal_range(hash);
        for (auto it = earlier.first; it != earlier.second && !repeat; ++it)
            repeat = items[it->second].title == item.title && items[it->second].data1 == item.data1;
        auto there = stored.equal_range(hash);
        for (auto it = there.first; it != there.second && !repeat; ++it) {
            if (tableClock.Time([&] {
                    return batch->Query(StmtSelectItemTexts(), {CDbValue::Integer(it->second)}, [&](const CDbRow& row) {
                        repeat = TextOf(row.Value(0)) == item.title && TextOf(row.Value(1)) == item.data1;
                    });
                }) != CStatementBatch::Outcome::Ran)
                return nothingImported(CImportReport::Outcome::Failed);
        }
        if (repeat) {
            repeats[i] = 1;
            ++report.skippedRepeats;
        } else {
            kept.emplace(hash, i);
        }
    }

    // The last record first, so that the file's first one gets the highest id and heads the list,
    // and items of equal heat keep their order.
    const CString insert = StmtInsertWholeItem();
    int done = 0;
    for (size_t i = items.size(); i-- > 0;) {
        if (++done % kRecordsPerReport == 0 && progress) {
            progress->Report(static_cast<int>(items.size()), 500 + static_cast<int>(done * 500LL / static_cast<long long>(items.size())));
            if (progress->IsCancelled())
                return nothingImported(CImportReport::Outcome::Cancelled);
        }
        if (repeats[i])
            continue;
        const CFileItem& item = items[i];
        const std::vector<CDbValue> values = {
            CDbValue::Text(item.title), CDbValue::Text(item.data1), CDbValue::Integer(item.clicktimes),
            item.lasttime ? CDbValue::Text(*item.lasttime) : CDbValue()};
        long long newId = 0;
        if (tableClock.Time([&] { return batch->Run(insert, values, &newId); }) != CStatementBatch::Outcome::Ran)
            return nothingImported(CImportReport::Outcome::Failed);
        ++report.importedLines;
        // An item whose id does not fit in 32 bits is stored but given no row, as by the text import.
        if (std::optional<int> id = ItemIdFromRowid(newId))
            report.newIds.push_back(*id);
    }
    std::reverse(report.newIds.begin(), report.newIds.end());
    if (progress && progress->IsCancelled())
        return nothingImported(CImportReport::Outcome::Cancelled);
    if (!tableClock.Time([&] { return batch->Finish(); }))
        return nothingImported(CImportReport::Outcome::Failed);
    tableClock.Time([&] {
        batch.reset();
        return 0;
    });
    return report;
}
