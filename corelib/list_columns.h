// Report-view columns from a text such as "标签,300,内容,400" (pairs of title and width).
#pragma once

#include "base/cstring.h"

#include <windows.h>

#include <vector>

class CListCtrl;

struct CColumnSpec {
    CString title;
    int width;
};

// The width of a column whose width is missing or not a positive number.
constexpr int kDefaultColumnWidth = 100;

std::vector<CColumnSpec> ParseColumnSpec(const CString& spec);

// Adds the columns, in order, after any the list has; turns on full-row selection and turns
// check boxes on or off.
void SetUpReportList(CListCtrl& list, const std::vector<CColumnSpec>& columns, bool checkBoxes);

// The list is now shown at newDpi, its columns' widths at oldDpi: each width scales with it (the
// system scales a dialog's controls and fonts on a move to another screen, not its columns).
void RescaleReportListColumns(HWND list, UINT oldDpi, UINT newDpi);
