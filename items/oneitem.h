// Editing and deleting one item, by the items dialog's rules, from wherever the item is shown.
#pragma once

#include "base/cstring.h"

#include <windows.h>

// How an edit ended.
enum class EditOutcome {
    Unchanged,  // cancelled, or confirmed without a change: nothing written
    Written,    // the changed fields are in the table
    ItemGone,   // another program deleted the item meanwhile: said over owner, nothing written
};

// Runs the item edit dialog over owner on the texts given (the item as shown), writing the fields
// that changed while the dialog is up: a table that refuses is said over the dialog, which keeps
// what was typed. title and data1 hold the texts confirmed afterwards.
EditOutcome EditItem(HWND owner, int id, CString& title, CString& data1);

// EditItem on the item as the table holds it now. A table that cannot be read is said over owner,
// and the edit does not open; an item no longer there gives ItemGone, unsaid.
EditOutcome EditStoredItem(HWND owner, int id);

// Asks over owner whether to delete the item (shown: its label or first line), and deletes it: true
// when the table changed. A table that refuses is said.
bool DeleteItemAsked(HWND owner, int id, const CString& shown);
