// CHotListSearch: filtering the hot list, narrowing the last result while the user types on.
#include "mainwnd/hotlistsearch.h"

#include <algorithm>

namespace {

bool IsBlank(const CString& text)
{
    return std::all_of(text.str().begin(), text.str().end(), [](wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\x3000'; });
}

}  // namespace

void CHotListSearch::Clear()
{
    m_index = CSearchIndex();
    m_lastQuery.Empty();
    m_lastMatches.clear();
}

void CHotListSearch::Add(const CString& label, const CString& content)
{
    m_index.Add(label.str(), content.str());
}

void CHotListSearch::Apply(CHotListBox& list, const CString& query)
{
    if (IsBlank(query)) {
        m_lastQuery.Empty();
        m_lastMatches.clear();
        list.ShowAllRows();
        return;
    }
    // The same query again (an input method's composition ended without changing it): the list
    // and the highlight stay as the user left them.
    if (query == m_lastQuery)
        return;
    // A query that only grows finds a subset of what it found before: typing on searches less.
    const bool narrowing = !m_lastQuery.IsEmpty() && query.str().compare(0, m_lastQuery.str().size(), m_lastQuery.str()) == 0;
    m_lastMatches = m_index.Filter(query.str(), narrowing ? &m_lastMatches : nullptr);
    m_lastQuery = query;
    list.ShowRows(m_lastMatches);
    list.SetHighlight(m_lastMatches.empty() ? -1 : 0);
}

void CHotListSearch::MoveHighlight(CHotListBox& list, int rows)
{
    const int count = list.GetCount();
    if (count <= 0)
        return;
    const int from = std::max(list.Highlight(), 0);
    list.SetHighlight(std::clamp(list.Highlight() < 0 ? 0 : from + rows, 0, count - 1));
}

int CHotListSearch::RowsPerPage(const CHotListBox& list)
{
    CRect client;
    list.GetClientRect(&client);
    const int entryHeight = static_cast<int>(list.SendMessage(LB_GETITEMHEIGHT, 0));
    return std::max(1, entryHeight > 0 ? static_cast<int>(client.Height()) / entryHeight : 1);
}
