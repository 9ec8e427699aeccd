// The team mark: a rounded badge with one character, sized from the row's text.
#include "hotlist/rowmark.h"

#include "framework/gdiobj.h"

#include <algorithm>

namespace {

constexpr int kGap = 4;  // between the text and the badge

int BadgeHeight(int textHeight)
{
    return std::max(10, textHeight - 4);
}

// The badge's font, kept for the rows' height: every row of the list draws with the same, and
// making a font at each paint costs more than the rest of the row.
HFONT MarkFont(int pixels)
{
    static CFont font;
    static int madeFor = 0;
    if (madeFor != pixels || !font.GetSafeHandle()) {
        LOGFONTW logFont = {};
        logFont.lfHeight = -pixels;
        logFont.lfWeight = FW_BOLD;
        logFont.lfCharSet = DEFAULT_CHARSET;
        font.DeleteObject();
        font.CreateFontIndirect(&logFont);
        madeFor = pixels;
    }
    return static_cast<HFONT>(font.GetSafeHandle());
}

}  // namespace

int TeamMarkWidth(int textHeight)
{
    // A square badge around one character of the smaller font, and the gap before it.
    return kGap + BadgeHeight(textHeight) + 2;
}

void DrawTeamMark(HDC dc, int x, int rowHeight, int textHeight)
{
    const int height = BadgeHeight(textHeight);
    const int top = std::max(0, (rowHeight - height) / 2);
    RECT badge = {x + kGap, top, x + kGap + height + 2, top + height};
    CBrush fill(kTeamMarkColour);
    const int saved = ::SaveDC(dc);
    ::SelectObject(dc, fill.GetSafeHandle());
    ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    ::RoundRect(dc, badge.left, badge.top, badge.right + 1, badge.bottom + 1, 5, 5);
    ::SelectObject(dc, MarkFont(height - 2));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::DrawTextW(dc, L"团", 1, &badge, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::RestoreDC(dc, saved);
}
