// What every options test stands on: a real item database, the process-wide state, and steps
// that drive the options dialog and answer its message boxes.
#pragma once

#include "appstate/globals.h"
#include "framework/global_hotkey.h"
#include "tests/support/message_box.h"
#include "tests/support/modal_script.h"
#include "tests/support/testdb.h"
#include "tests/support/window_lookup.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

class COptionsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // (Re)creates the database: three items, two of them clicked.
    void CreateClickedDatabase();
    // The rows as the fixture created them, and as a confirmed clear must leave them.
    std::vector<testing_support::StoredItem> ClickedItems() const { return m_clickedItems; }
    std::vector<testing_support::StoredItem> ClearedItems() const;
    std::vector<testing_support::StoredItem> StoredItems() const;
    const std::wstring& DatabasePath() const { return m_dbPath; }

    // Sets both the process-wide flag and the stored setting.
    static void SetAutoMin(int inMemory, int stored);
    // The setting as a fresh start of the program reads it.
    static int StoredAutoMin() { return StoredFlag(kAutoMinKey); }
    // A flag as a new CCore reads it from the settings file, as after a restart.
    static int StoredFlag(const wchar_t* key);
    static WORD StoredHotkey();

    // The program's global hotkey as the main window would hold it, on a hidden window of the
    // fixture's: the stored default, Ctrl+`, registered.
    HWND m_hotkeyWindow = nullptr;
    CGlobalHotkey m_hotkey;

private:
    std::wstring m_dbPath;
    std::vector<testing_support::StoredItem> m_clickedItems;
};

using testing_support::IsUp;
using testing_support::SeenBox;

// Clicks a control of the dialog as the mouse would, through the dialog's own loop.
void PostClick(HWND dialog, int controlId);
// Moves the focus as Tab would (a push button that gets it becomes the default one).
void PostFocus(HWND dialog, int controlId);
// Presses a key on whatever has the focus.
void PostKey(UINT virtualKey);
// Appends steps that wait for the next message box, record it, answer it and wait until it has gone.
void AnswerNextBox(testing_support::CModalScript& script, int answer, SeenBox* seen);
