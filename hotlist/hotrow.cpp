// CHotRow: what an entry keeps of its row, and making the row control from it.
#include "hotlist/hotrow.h"

#include <cwchar>
#include <string>

namespace {

// "宋体" at 20 pixels, the face every row shows its text in.
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

}  // namespace

CHotRow::CHotRow(LPCWSTR text, int itemId, UINT controlId) : m_nItemId(itemId), m_nControlId(controlId)
{
    const size_t size = std::wcslen(text) + 1;
    m_pszText.reset(new wchar_t[size]);
    std::wmemcpy(m_pszText.get(), text, size);
}

CHyperLink* CHotRow::CreateRow(CWnd* pList, HWND hOwner, const CRect& rect)
{
    auto row = std::make_unique<CHyperLink>();
    // Created hidden: the list shows it over its entry.
    row->Create(L"", WS_CHILD | SS_SIMPLE, rect, pList, m_nControlId);
    row->SetText(m_pszText.get());
    row->SetOwnerWnd(hOwner);
    row->SetItemId(std::to_wstring(m_nItemId).c_str());
    row->SetLinkFont(RowFont());
    m_row = std::move(row);
    return m_row.get();
}
