// CDeleteUndo: each deleted item packed as its five values, and put back by one batch.
#include "items/deleteundo.h"

#include "store/batch.h"
#include "store/itemid.h"
#include "store/pins.h"
#include "store/rowquery.h"
#include "store/schemaobjects.h"
#include "store/statements.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// The values of one item, in the order of the statements' columns: id, title, data1, clicktimes,
// lasttime.
constexpr int kValuesPerItem = 5;
// The units of a block: 2 MB.
constexpr size_t kBlockUnits = 1024 * 1024;

// What a packed value is: one unit, then the value.
enum Tag : wchar_t { kNull, kInteger, kReal, kText };

// A number as units of 16 bits, lowest first: four for a value, two for a text's length.
void PackBits(std::wstring& packed, uint64_t bits, int units)
{
    for (int unit = 0; unit < units; ++unit)
        packed += static_cast<wchar_t>((bits >> (16 * unit)) & 0xFFFF);
}

uint64_t UnpackBits(const std::wstring& packed, size_t& at, int units)
{
    uint64_t bits = 0;
    for (int unit = 0; unit < units; ++unit)
        bits |= static_cast<uint64_t>(static_cast<uint16_t>(packed[at++])) << (16 * unit);
    return bits;
}

// Each value as the table held it: a null title stays null, a count stored as text stays text.
void PackValue(std::wstring& packed, const CDbValue& value)
{
    switch (value.GetKind()) {
    case CDbValue::Kind::Null:
        packed += kNull;
        return;
    case CDbValue::Kind::Integer:
        packed += kInteger;
        PackBits(packed, static_cast<uint64_t>(value.AsInteger()), 4);
        return;
    case CDbValue::Kind::Real: {
        const double real = value.AsReal();
        uint64_t bits = 0;
        std::memcpy(&bits, &real, sizeof(bits));
        packed += kReal;
        PackBits(packed, bits, 4);
        return;
    }
    case CDbValue::Kind::Text:
        packed += kText;
        PackBits(packed, value.AsText().size(), 2);
        packed += value.AsText();
        return;
    }
}

CDbValue UnpackValue(const std::wstring& packed, size_t& at)
{
    switch (packed[at++]) {
    case kInteger:
        return CDbValue::Integer(static_cast<long long>(UnpackBits(packed, at, 4)));
    case kReal: {
        const uint64_t bits = UnpackBits(packed, at, 4);
        double real = 0;
        std::memcpy(&real, &bits, sizeof(real));
        return CDbValue::Real(real);
    }
    case kText: {
        const size_t length = static_cast<size_t>(UnpackBits(packed, at, 2));
        at += length;
        return CDbValue::Text(packed.substr(at - length, length));
    }
    default:
        return CDbValue();
    }
}

}  // namespace

void CDeleteUndo::Keep(const std::wstring& item)
{
    if (m_blocks.empty() || m_blocks.back().size() + item.size() > m_blocks.back().capacity()) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(std::max(kBlockUnits, item.size()));
    }
    m_blocks.back() += item;
}

bool CDeleteUndo::Delete(const CString& connStr, const std::vector<CItemRows::Place>& places)
{
    std::vector<int> ids;
    ids.reserve(places.size());
    for (const CItemRows::Place& place : places)
        ids.push_back(place.id);
    const size_t blocksBefore = m_blocks.size();
    const size_t lastBlockBefore = m_blocks.empty() ? 0 : m_blocks.back().size();
    std::vector<int> found;
    std::wstring item;
    CStatementBatch batch(connStr);
    // One statement deletes and hands back what it deleted: what is kept is exactly what went.
    auto keep = [&](const CDbRow& row) {
        std::optional<int> id = ItemIdFromValue(row.Value(0));
        if (!id)
            return;
        found.push_back(*id);
        item.clear();
        for (int column = 0; column < kValuesPerItem; ++column)
            PackValue(item, row.Value(column));
        Keep(item);
    };
    const size_t pinsBefore = m_pins.size();
    bool pinTable = false;
    auto keepPin = [&](const CDbRow& row) { m_pins.emplace_back(row.Value(0), row.Value(1)); };
    const CString idList = ItemIdList(ids);
    if (batch.Query(StmtCountSchemaObjects(kPinTableName), {},
                    [&](const CDbRow& row) { pinTable = row.Value(0).AsInteger() > 0; }) !=
            CStatementBatch::Outcome::Ran ||
        (pinTable && batch.Query(StmtSelectPinsIn(idList), {}, keepPin) != CStatementBatch::Outcome::Ran) ||
        batch.Query(StmtDeleteItemsReturning(idList), {}, keep) != CStatementBatch::Outcome::Ran ||
        !batch.Finish()) {
        m_pins.resize(pinsBefore);
        m_blocks.resize(blocksBefore);
        if (!m_blocks.empty())
            m_blocks.back().resize(lastBlockBefore);
        return false;
    }
    m_count += static_cast<int>(found.size());
    std::sort(found.begin(), found.end());
    for (const CItemRows::Place& place : places) {
        if (std::binary_search(found.begin(), found.end(), place.id))
            m_places.push_back(place);
    }
    return true;
}

bool CDeleteUndo::Restore(const CString& connStr)
{
    CStatementBatch batch(connStr);
    const CString insert = StmtInsertItemWithId();
    std::vector<CDbValue> values(kValuesPerItem);
    for (const std::wstring& block : m_blocks) {
        for (size_t at = 0; at < block.size();) {
            for (CDbValue& value : values)
                value = UnpackValue(block, at);
            if (batch.Run(insert, values) != CStatementBatch::Outcome::Ran)
                return false;
        }
    }
    for (const auto& [id, pinnedAt] : m_pins) {
        if (batch.Run(StmtRestorePin(), {id, pinnedAt}) != CStatementBatch::Outcome::Ran)
            return false;
    }
    return batch.Finish();
}

std::vector<CItemRows::Place> CDeleteUndo::TakePlaces()
{
    std::vector<CItemRows::Place> places;
    places.swap(m_places);
    m_blocks.clear();
    m_pins.clear();
    m_count = 0;
    return places;
}

size_t CDeleteUndo::KeptBytes() const
{
    size_t units = 0;
    for (const std::wstring& block : m_blocks)
        units += block.capacity();
    return units * sizeof(wchar_t) + m_places.capacity() * sizeof(CItemRows::Place);
}
