// The import of the items file: its records become items with their labels, contents (line breaks
// kept), counts and times; records repeating an item already there are skipped.
#pragma once

#include "items/importfile.h"
#include "items/itemimporter.h"

#include <string>

// The items file's header as spreadsheets of Chinese Windows save it (code page 936): a file that
// begins with it is read in that code page on a system of any other.
CTellingOpening ItemsFileOpening();

// The decoded text's first record is a header of the items file: the four fields named, in any
// order, among any others.
bool IsItemsFile(const std::wstring& text);

// Imports the records after the header, read from the opened file, up to the end or to the first
// malformed one, in one transaction: the records read land together, or on any failure of the
// table (or of reading the file) none does. The first of the file's records heads the list (it
// gets the highest id), as it did where it was exported. Reports to progress, when given, and
// stops with nothing imported once cancelled.
CImportReport ImportItemsFile(const CString& connStr, CImportFile& file, CImportProgress* progress);
