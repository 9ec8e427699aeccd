// CHotRow: making the row control of an entry.
#include "hotlist/hotrow.h"

#include <cwchar>
#include <string>

namespace {

// "宋体" at the height for the list's DPI (20 pixels at 96), the face every row shows its text in.
LOGFONTW RowFont(int height)
{
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::wcscpy(font.lfFaceName, L"宋体");
    return font;
}

}  // namespace

CHotRow::CHotRow(std::wstring_view text, int itemId, UINT controlId, CWnd* pList, HWND hOwner,
                 const CRect& rect, int fontHeight)
    : m_nItemId(itemId), m_nControlId(controlId), m_row(std::make_unique<CHyperLink>())
{
    // Created hidden: the list shows it over its entry.
    m_row->Create(L"", WS_CHILD | SS_SIMPLE, rect, pList, m_nControlId);
    m_row->SetText(std::wstring(text).c_str());
    m_row->SetOwnerWnd(hOwner);
    m_row->SetItemId(std::to_wstring(m_nItemId).c_str());
    // The list's ids below zero are the team's items.
    m_row->SetTeamMark(m_nItemId < 0);
    m_row->SetLinkFont(RowFont(fontHeight));
}
