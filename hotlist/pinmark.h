// The mark of a pinned item's row: a small filled diamond in the row's left margin, drawn with GDI
// so that it shows on any code page and with any font.
#pragma once

#include <windows.h>

// The mark's colour: apart from the link's blue, red and purple.
constexpr COLORREF kPinMarkColor = RGB(230, 120, 0);

// The left margin a pinned row keeps for its mark, for text textHeight pixels high.
int PinMarkMargin(int textHeight);
// Draws the mark, centred in the margin at the left of a row of rowHeight pixels.
void DrawPinMark(HDC hDC, int textHeight, int rowHeight);
