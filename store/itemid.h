// Item ids as the program holds them: 32-bit numbers. The table may hold larger ones (put there
// by another tool, or given after such a row), which the program cannot name without naming
// another item; those rows are left alone.
#pragma once

#include "store/dbvalue.h"

#include "base/cstring.h"

#include <optional>
#include <vector>

// The id a row's id column holds; nothing when it is not an integer that fits in 32 bits.
std::optional<int> ItemIdFromValue(const CDbValue& value);
// The same for an id the engine reports (the id of a new row).
std::optional<int> ItemIdFromRowid(long long rowid);
// Ids as a statement's id list takes them: "12,7,3"; "" for none.
CString ItemIdList(const std::vector<int>& ids);
