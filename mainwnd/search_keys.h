// The search box's keys wherever the focus is in the main window.
#pragma once

#include <windows.h>

// A key message for a window of the main window other than the search box (the list after a click
// on it, or the main window itself) is the search box's: the focus goes back to the box and the
// message goes to it, so that typing, the arrows, Enter and Esc work wherever a click landed. Keys
// for any other window (a dialog the main window owns) are left as they are.
void SteerKeyToSearchBox(MSG& msg, HWND main, HWND box);
