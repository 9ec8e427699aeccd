// What the global hotkey does to the main window.
#pragma once

#include "framework/afxwin.h"

// Behind another program, minimised or hidden, the window comes up in front (the process the
// hotkey was sent to may take the foreground) with the search box focused; already in front,
// it is minimised, out of the way of the program the user goes back to.
void ToggleMainWindowByHotkey(CWnd& main);

// Puts the focus in the search box (IDC_SEARCH) with its whole text selected, so that typing
// starts a new search; nothing when the window has no search box.
void FocusSearchBox(CWnd& main);
