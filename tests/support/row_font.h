// The font the row list box gives every row ("宋体", 20 pixels), and measuring with it.
#pragma once

#include "framework/afxwin.h"

LOGFONTW RowFont();
// Extent of the bytes of text in the row font, as a screen context measures it.
CSize MeasureInRowFont(LPCWSTR text, int length);
// The size of a row showing the text: its extent, 3 pixels either side, 2 above and a line for
// the underline.
CSize RowSizeOf(LPCWSTR text, int length);
