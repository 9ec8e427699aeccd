// Texts of the items file that a spreadsheet would retype (007 as 7, 1/2 as a date, =1+1 run as a
// formula): written as a formula whose value is the text, ="007", which a spreadsheet shows and
// saves as the text itself, and read back to the text.
#pragma once

#include <string>
#include <string_view>

// Whether Excel, WPS or Calc opening the file would show this UTF-8 text as something else: a
// number, a date, a percentage, a truth value or an error, the result of a formula, or without a
// leading ' taken as a mark. A text of several lines is retyped only when it begins as a formula.
bool SpreadsheetWouldRetype(std::string_view utf8);

// The field to write for a UTF-8 text: the text, or, when a spreadsheet would retype it, the
// formula ="…" (quotes doubled, CR and LF as CHAR(13) and CHAR(10), pieces of at most 255
// characters joined by &, as Excel takes no longer text in a formula), built in scratch.
std::string_view SpreadsheetField(std::string_view utf8, std::string& scratch);

// A field written as such a formula becomes its text again; any other field stays as it is.
void ReadSpreadsheetField(std::wstring& field);
