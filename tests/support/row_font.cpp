// The row font for tests.
#include "tests/support/row_font.h"

#include <cstring>

LOGFONTA RowFont()
{
    LOGFONTA font = {};
    font.lfHeight = 20;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::strcpy(font.lfFaceName, "宋体");
    return font;
}

CSize MeasureInRowFont(LPCSTR text, int length)
{
    const LOGFONTA logFont = RowFont();
    CFont font;
    font.CreateFontIndirect(&logFont);
    CScreenDC screen(::GetDC(nullptr));
    CMemDC memory(::CreateCompatibleDC(screen.Get()));
    CSelectObject selected(memory.Get(), font);
    CSize size;
    ::GetTextExtentPoint32A(memory.Get(), text, length, &size);
    return size;
}

CSize RowSizeOf(LPCSTR text, int length)
{
    const CSize extent = MeasureInRowFont(text, length);
    return CSize(extent.cx + 6, extent.cy + 3);
}
