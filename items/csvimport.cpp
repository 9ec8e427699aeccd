// ImportItemsFile: read every record, drop those repeating an item, insert the rest last first.
#include "items/csvimport.h"

#include "items/csvstream.h"
#include "items/stopwatch.h"
#include "store/batch.h"
#include "store/itemid.h"
#include "store/pins.h"
#include "store/rowquery.h"
#include "store/statements.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>

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
    CImportFile::OpenResult failure = CImportFile::OpenResult::Opened;  // the file's, if reading it failed
};

ReadRecords ReadItems(CImportFile& file, CImportProgress* progress)
{
    ReadRecords read;
    CCsvStream reader([&file](std::wstring& text) { return file.ReadText(text); });
    std::vector<std::wstring> fields;
    reader.Next(fields);
    const std::optional<CItemsFileColumns> columns = ReadItemsFileHeader(fields);
    if (!columns)
        return read;  // not the items file: IsItemsFile() tells it apart first
    for (int records = 1;; ++records) {
        const CCsvReader::Step step = reader.Next(fields);
        if (step == CCsvReader::Step::End)
            break;
        if (records % kRecordsPerReport == 0 && progress) {
            // Reading is the first half of the work.
            progress->Report(records, file.PermilleRead() / 2);
            if (progress->IsCancelled()) {
                read.cancelled = true;
                break;
            }
        }
        std::optional<CFileItem> item;
        read.fault = step == CCsvReader::Step::Malformed ? RecordFault::Quotes
                                                         : ReadItemRecord(std::move(fields), *columns, item);
        if (read.fault != RecordFault::None) {
            read.faultLine = reader.Line();
            break;
        }
        if (item)
            read.items.push_back(std::move(*item));
    }
    read.failure = file.Failure();
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

enum class Landing { Done, Failed, Cancelled };

// Marks the records that repeat one before them in the file, or an item already there (read inside
// the batch's transaction), and counts them: the first of equal records stays. Records are grouped
// by the hash of their texts; within a group each is compared with the distinct texts met so far,
// those of the items there (each read once) and those of the records kept, so that a file of one
// record many times, or of many copies of an item there, costs a comparison or two a record.
// Stops once the import is cancelled. A repeat's pin goes to what it repeats: mergedInto holds, for
// a record repeating an item there, that item's id (0 for any other record), and a record kept
// takes the pin of a later one that repeats it.
Landing MarkRepeats(CStatementBatch& batch, std::vector<CFileItem>& items, std::vector<char>& repeats,
                    std::vector<long long>& mergedInto, int& count, CImportProgress* progress)
{
    std::vector<std::pair<uint64_t, long long>> stored;
    if (batch.Query(StmtSelectEveryItemTexts(), {}, [&](const CDbRow& row) {
            stored.emplace_back(TextsHash(TextOf(row.Value(1)), TextOf(row.Value(2))),
                                row.Value(0).AsInteger());
        }) != CStatementBatch::Outcome::Ran)
        return Landing::Failed;
    std::sort(stored.begin(), stored.end());
    // By hash and, within a hash, in file order.
    std::vector<std::pair<uint64_t, size_t>> byHash;
    byHash.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        byHash.emplace_back(TextsHash(items[i].title, items[i].data1), i);
    std::sort(byHash.begin(), byHash.end());

    repeats.assign(items.size(), 0);
    mergedInto.assign(items.size(), 0);
    count = 0;
    long long steps = 0;
    auto cancelled = [&] { return ++steps % kRecordsPerReport == 0 && progress && progress->IsCancelled(); };
    // The group's texts among the items there, each with the first such item's id.
    std::vector<std::pair<std::pair<std::wstring, std::wstring>, long long>> there;
    std::vector<size_t> kept;  // the group's records kept, each of other texts
    for (size_t group = 0, next = 0; group < byHash.size(); group = next) {
        const uint64_t hash = byHash[group].first;
        there.clear();
        for (auto item = std::lower_bound(stored.begin(), stored.end(), std::make_pair(hash, LLONG_MIN));
             item != stored.end() && item->first == hash; ++item) {
            if (batch.Query(StmtSelectItemTexts(), {CDbValue::Integer(item->second)}, [&](const CDbRow& row) {
                    std::pair<std::wstring, std::wstring> texts(TextOf(row.Value(0)), TextOf(row.Value(1)));
                    if (std::none_of(there.begin(), there.end(),
                                     [&](const auto& met) { return met.first == texts; }))
                        there.emplace_back(std::move(texts), item->second);
                }) != CStatementBatch::Outcome::Ran)
                return Landing::Failed;
            if (cancelled())
                return Landing::Cancelled;
        }
        kept.clear();
        for (next = group; next < byHash.size() && byHash[next].first == hash; ++next) {
            if (cancelled())
                return Landing::Cancelled;
            const size_t index = byHash[next].second;
            const CFileItem& record = items[index];
            const auto item = std::find_if(there.begin(), there.end(), [&](const auto& met) {
                return met.first.first == record.title && met.first.second == record.data1;
            });
            const auto other =
                item != there.end()
                    ? kept.end()
                    : std::find_if(kept.begin(), kept.end(), [&](size_t earlier) {
                          return items[earlier].title == record.title && items[earlier].data1 == record.data1;
                      });
            if (item == there.end() && other == kept.end()) {
                kept.push_back(index);
                continue;
            }
            repeats[index] = 1;
            ++count;
            if (item != there.end())
                mergedInto[index] = item->second;
            else if (record.pinned)
                items[*other].pinned = true;
        }
    }
    return Landing::Done;
}

// Inserts the records not marked as repeats, the last first, so that the file's first one gets the
// highest id and heads the list, and items of equal heat keep their order. Each record's texts are
// handed over, not copied. Reports the second half of the progress.
// landedIds receives each inserted record's id.
Landing InsertLastFirst(CStatementBatch& batch, std::vector<CFileItem>& items,
                        const std::vector<char>& repeats, std::vector<long long>& landedIds,
                        CImportReport& report, CImportProgress* progress)
{
    landedIds.assign(items.size(), 0);
    const CString insert = StmtInsertWholeItem();
    std::vector<CDbValue> values(4);
    long long done = 0;
    const long long total = static_cast<long long>(items.size());
    for (size_t i = items.size(); i-- > 0;) {
        if (++done % kRecordsPerReport == 0 && progress) {
            progress->Report(static_cast<int>(total), 500 + static_cast<int>(done * 500 / total));
            if (progress->IsCancelled())
                return Landing::Cancelled;
        }
        if (repeats[i])
            continue;
        CFileItem& item = items[i];
        values[0] = CDbValue::Text(std::move(item.title));
        values[1] = CDbValue::Text(std::move(item.data1));
        values[2] = CDbValue::Integer(item.clicktimes);
        values[3] = item.lasttime ? CDbValue::Text(std::move(*item.lasttime)) : CDbValue();
        long long newId = 0;
        if (batch.Run(insert, values, &newId) != CStatementBatch::Outcome::Ran)
            return Landing::Failed;
        landedIds[i] = newId;
        ++report.importedLines;
        // An item whose id does not fit in 32 bits is stored but given no row, as by the text import.
        if (std::optional<int> id = ItemIdFromRowid(newId))
            report.newIds.push_back(*id);
    }
    std::reverse(report.newIds.begin(), report.newIds.end());
    return progress && progress->IsCancelled() ? Landing::Cancelled : Landing::Done;
}

// Pins the items of the records whose pin field is 1, in the file's order, after every pin there:
// the item a record landed as, or the item there it repeats. An item pinned already keeps its
// place, and no pin is ever taken off.
Landing PinRecords(CStatementBatch& batch, const std::vector<CFileItem>& items,
                   const std::vector<char>& repeats, const std::vector<long long>& mergedInto,
                   const std::vector<long long>& landedIds, bool& pinsChanged)
{
    if (std::none_of(items.begin(), items.end(), [](const CFileItem& item) { return item.pinned; }))
        return Landing::Done;
    for (const CString& statement : StmtsCreatePinTable()) {
        if (batch.Run(statement) != CStatementBatch::Outcome::Ran)
            return Landing::Failed;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        const long long id = repeats[i] ? mergedInto[i] : landedIds[i];
        const std::optional<int> pinned = items[i].pinned ? ItemIdFromRowid(id) : std::nullopt;
        if (!pinned || *pinned <= 0)
            continue;
        if (batch.Run(StmtPinItem(*pinned)) != CStatementBatch::Outcome::Ran)
            return Landing::Failed;
        pinsChanged = pinsChanged || repeats[i];
    }
    return Landing::Done;
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
    return reader.Next(fields) == CCsvReader::Step::Record && ReadItemsFileHeader(fields);
}

CImportReport ImportItemsFile(const CString& connStr, CImportFile& file, CImportProgress* progress)
{
    CImportReport report;
    report.itemsFile = true;
    ReadRecords read = ReadItems(file, progress);
    if (read.cancelled) {
        report.outcome = CImportReport::Outcome::Cancelled;
        return report;
    }
    if (read.failure != CImportFile::OpenResult::Opened) {
        report.outcome = read.failure == CImportFile::OpenResult::NotText
                             ? CImportReport::Outcome::NotText
                             : CImportReport::Outcome::CannotOpen;
        return report;
    }
    report.fault = read.fault;
    report.faultLine = read.faultLine;

    CStopwatch tableClock(report.tableSeconds);
    auto batch = tableClock.Time([&] { return std::make_unique<CStatementBatch>(connStr); });
    std::vector<char> repeats;
    std::vector<long long> mergedInto, landedIds;
    Landing landing = tableClock.Time([&] {
        return MarkRepeats(*batch, read.items, repeats, mergedInto, report.skippedRepeats, progress);
    });
    if (landing == Landing::Done)
        landing = tableClock.Time(
            [&] { return InsertLastFirst(*batch, read.items, repeats, landedIds, report, progress); });
    if (landing == Landing::Done)
        landing = tableClock.Time([&] {
            return PinRecords(*batch, read.items, repeats, mergedInto, landedIds, report.pinsChanged);
        });
    if (landing == Landing::Done && !tableClock.Time([&] { return batch->Finish(); }))
        landing = Landing::Failed;
    if (landing != Landing::Done) {
        // Nothing of the file stays: the batch is rolled back when it goes.
        report.outcome = landing == Landing::Cancelled ? CImportReport::Outcome::Cancelled
                                                       : CImportReport::Outcome::Failed;
        report.failureCode = batch->FailureCode();
        report.importedLines = 0;
        report.skippedRepeats = 0;
        report.newIds.clear();
        report.pinsChanged = false;
        return report;
    }
    tableClock.Time([&] {
        batch.reset();
        return 0;
    });
    return report;
}
