// The menu of one hot-list row: copy, edit, pin or unpin, delete the item it shows.
#pragma once

#include "framework/afxwin.h"
#include "hotlist/hotlistbox.h"

#include <functional>

// What the main window does once the menu has closed.
enum class RowMenuResult {
    Nothing,  // closed with no choice, or the choice changed nothing
    Copy,     // copy the item, as a click on its row does
    Changed,  // the table changed: the list is read again
};

// Opens the menu of the list's entry at index at the screen point, over main, and carries out
// what is chosen there, but for the copy, which is the main window's; beforeChange runs first when
// the choice may write to the table.
RowMenuResult RunRowMenu(CWnd& main, const CHotListBox& list, int index, POINT at,
                         const std::function<void()>& beforeChange);
// Where the keyboard opens the menu of an entry: below its text's start, on screen.
POINT RowMenuPointOf(const CHotListBox& list, int index);
