// The font the row list box gives every row ("宋体", 20 pixels), and measuring with it.
#pragma once

#include "framework/afxwin.h"

LOGFONTW RowFont();
// Extent of the bytes of text in the row font, as a screen context measures it.
CSize MeasureInRowFont(LPCWSTR text, int length);
