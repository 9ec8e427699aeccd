// Drawing a pinned row's mark.
#include "hotlist/pinmark.h"

#include "framework/gdiobj.h"

#include <algorithm>

namespace {

// The diamond's width and height: half the text's height, at least 6 pixels, kept even so that
// its two halves are alike.
int MarkSize(int textHeight)
{
    return std::max(6, textHeight / 2) & ~1;
}

}  // namespace

int PinMarkMargin(int textHeight)
{
    return MarkSize(textHeight) + 6;
}

void DrawPinMark(HDC hDC, int textHeight, int rowHeight)
{
    const int size = MarkSize(textHeight);
    const int left = 3;
    const int top = std::max(0, (rowHeight - size) / 2);
    const int half = size / 2;
    const POINT diamond[] = {
        {left + half, top}, {left + size, top + half}, {left + half, top + size}, {left, top + half}};
    CRgn shape;
    if (!shape.Attach(::CreatePolygonRgn(diamond, 4, WINDING)))
        return;
    CBrush brush(kPinMarkColor);
    ::FillRgn(hDC, shape, brush);
}
