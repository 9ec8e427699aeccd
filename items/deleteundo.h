// CDeleteUndo: what the items dialog's deletes removed, kept until the dialog closes so that one
// undo puts it all back as it was.
#pragma once

#include "base/cstring.h"
#include "items/itemrows.h"
#include "store/dbvalue.h"

#include <string>
#include <utility>
#include <vector>

// The items are kept packed as UTF-16 units, a few per field besides its text, in blocks of about
// 2 MB that never move once filled: 300,000 deleted items cost little more than their texts, and
// keeping more costs no copying of what is already kept. A second delete adds to what the first
// kept: an undo puts back everything deleted since the dialog opened (or since the last undo).
class CDeleteUndo {
public:
    CDeleteUndo() = default;
    CDeleteUndo(const CDeleteUndo&) = delete;
    CDeleteUndo& operator=(const CDeleteUndo&) = delete;

    // Deletes the items of these rows with one statement that hands back everything they held,
    // and keeps it. False when the table could not be written: nothing was deleted or kept.
    // Items another program deleted meanwhile are neither deleted nor kept.
    bool Delete(const CString& connStr, const std::vector<CItemRows::Place>& places);

    // How many items an undo puts back.
    int Count() const { return m_count; }
    // Puts every kept item back under its own id, with its texts, count, time and pin, in one
    // transaction. False when the table could not be written: everything stays kept.
    bool Restore(const CString& connStr);
    // The places of the rows of the kept items; nothing is kept any more.
    std::vector<CItemRows::Place> TakePlaces();

    // The memory the kept items take, in bytes.
    size_t KeptBytes() const;

private:
    // Packs one item onto the last block, or onto a new one when it is full.
    void Keep(const std::wstring& item);

    std::vector<std::wstring> m_blocks;
    std::vector<CItemRows::Place> m_places;
    // The pins of the items kept, which the table drops with them: id and place among the pins.
    std::vector<std::pair<CDbValue, CDbValue>> m_pins;
    int m_count = 0;
};
