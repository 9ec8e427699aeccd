// The row font for tests.
#include "tests/hotlist/row_font.h"

#include <cstring>

LOGFONTW RowFont()
{
    LOGFONTW font = {};
    font.lfHeight = 20;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::strcpy(font.lfFaceName, L"宋体");
    return font;
}

CSize MeasureInRowFont(LPCWSTR text, int length)
{
    const LOGFONTW logFont = RowFont();
    CFont font;
    font.CreateFontIndirect(&logFont);
    CScreenDC screen(::GetDC(nullptr));
    CMemDC memory(::CreateCompatibleDC(screen.Get()));
    CSelectObject selected(memory.Get(), font);
    CSize size;
    ::GetTextExtentPoint32W(memory.Get(), text, length, &size);
    return size;
}
