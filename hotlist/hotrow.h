// CHotRow: the row control of one entry on screen, made from the item's text and id, with the
// control id it was given; it lives only while its entry is drawn or about to be drawn again.
#pragma once

#include "hotlist/hyperlink.h"

#include <memory>
#include <string_view>

// The rows' font height at 96 DPI, in pixels.
constexpr int kRowFontHeight = 20;

class CHotRow {
public:
    // Makes the row control: a hidden child of pList at rect, with the text, item id, control id and
    // the rows' font at fontHeight pixels, reporting its clicks to hOwner.
    CHotRow(std::wstring_view text, int itemId, UINT controlId, CWnd* pList, HWND hOwner, const CRect& rect,
            int fontHeight = kRowFontHeight);
    CHotRow(const CHotRow&) = delete;
    CHotRow& operator=(const CHotRow&) = delete;

    CHyperLink* Row() const { return m_row.get(); }
    UINT ControlId() const { return m_nControlId; }
    int ItemId() const { return m_nItemId; }

private:
    int m_nItemId;
    UINT m_nControlId;
    std::unique_ptr<CHyperLink> m_row;
};
