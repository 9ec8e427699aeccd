// CContentColumn: first lines on screen, whole contents kept aside.
#include "items/contentcolumn.h"

#include "base/first_line.h"

void CContentColumn::Show(int row, int id, const CString& data1)
{
    CString shown = FirstLineShown(data1);
    if (shown == data1)
        m_severalLines.erase(id);
    else
        m_severalLines[id] = data1;
    m_list.SetItemText(row, 1, shown);
}

CString CContentColumn::Content(int row) const
{
    auto kept = m_severalLines.find(static_cast<int>(m_list.GetItemData(row)));
    return kept != m_severalLines.end() ? kept->second : m_list.GetItemText(row, 1);
}
