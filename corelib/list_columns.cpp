// Parsing the column text and applying it to a list-view control.
#include "corelib/list_columns.h"

#include "framework/dpi.h"
#include "framework/listctrl.h"

namespace {

// Splits at ','.
std::vector<CString> SplitAtCommas(const CString& text)
{
    std::vector<CString> parts;
    int start = 0;
    for (int comma = text.Find(L','); comma >= 0; comma = text.Find(L',', start)) {
        parts.push_back(text.Mid(start, comma - start));
        start = comma + 1;
    }
    parts.push_back(text.Mid(start));
    return parts;
}

int ParseWidth(const CString& text)
{
    int i = 0;
    while (i < text.GetLength() && text[i] == L' ')
        ++i;
    int width = 0;
    int digits = 0;
    for (; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9' && digits < 6; ++i, ++digits)
        width = width * 10 + (text[i] - L'0');
    while (i < text.GetLength() && text[i] == L' ')
        ++i;
    bool whole = digits > 0 && i == text.GetLength();
    return whole && width > 0 ? width : kDefaultColumnWidth;
}

}  // namespace

std::vector<CColumnSpec> ParseColumnSpec(const CString& spec)
{
    std::vector<CColumnSpec> columns;
    if (spec.IsEmpty())
        return columns;
    std::vector<CString> parts = SplitAtCommas(spec);
    for (size_t i = 0; i < parts.size(); i += 2) {
        int width = i + 1 < parts.size() ? ParseWidth(parts[i + 1]) : kDefaultColumnWidth;
        columns.push_back(CColumnSpec{parts[i], width});
    }
    return columns;
}

void SetUpReportList(CListCtrl& list, const std::vector<CColumnSpec>& columns, bool checkBoxes)
{
    HWND header = reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER));
    int existing = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    if (existing < 0)
        existing = 0;
    // The widths are pixels at 96 DPI; the text in the columns grows with the screen's scale.
    const UINT dpi = WindowDpi(list.m_hWnd);
    for (size_t i = 0; i < columns.size(); ++i)
        list.InsertColumn(existing + static_cast<int>(i), columns[i].title, LVCFMT_LEFT,
                          ScaleToDpi(columns[i].width, dpi));

    DWORD style = list.GetExtendedStyle() | LVS_EX_FULLROWSELECT;
    style = checkBoxes ? (style | LVS_EX_CHECKBOXES) : (style & ~static_cast<DWORD>(LVS_EX_CHECKBOXES));
    list.SetExtendedStyle(style);
}

void RescaleReportListColumns(HWND list, UINT oldDpi, UINT newDpi)
{
    if (oldDpi == 0 || newDpi == 0 || oldDpi == newDpi)
        return;
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int count = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        const int width = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                       MAKELPARAM(ScaleBetweenDpi(width, oldDpi, newDpi), 0));
    }
}
