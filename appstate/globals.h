// The process-wide state, set up by the main window's initialisation and released in its teardown.
#pragma once

#include "base/cstring.h"

class CCore;
class CDbSession;
struct tagSoft;

extern CCore* g_core;        // the core utility object
extern tagSoft* g_soft;      // the software descriptor for the about box
extern CString g_appPath;    // the program's folder, ending in a backslash
extern int g_isAutoMin;      // minimise the main window after a click-copy (nonzero: on)
// The setting g_isAutoMin is read from at start-up and saved under by the options.
constexpr wchar_t kAutoMinKey[] = L"isAutoMin";
// Paste a chosen item into the window the user came from (nonzero: on; off when missing). Read at
// each copy, so that the options take effect at once.
constexpr wchar_t kPasteBackKey[] = L"isPasteBack";
// The path of the team file the items of a whole team come from; none when missing or empty.
constexpr wchar_t kTeamFileKey[] = L"teamFile";
extern CString g_connStr;    // the item database's connection string
extern CDbSession* g_db;     // the database session
