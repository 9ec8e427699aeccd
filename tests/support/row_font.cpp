// The row font for tests.
#include "tests/support/row_font.h"

#include <cwchar>

LOGFONTW RowFont()
{
    LOGFONTW font = {};
    font.lfHeight = 20;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::wcscpy(font.lfFaceName, L"宋体");
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

CSize RowSizeOf(LPCWSTR text, int length)
{
    const CSize extent = MeasureInRowFont(text, length);
    return CSize(extent.cx + 6, extent.cy + 3);
}
