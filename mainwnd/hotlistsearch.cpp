// CHotListSearch: filtering the hot list, narrowing the last result while the user types on.
#include "mainwnd/hotlistsearch.h"

#include "mainwnd/search/query_terms.h"

#include <algorithm>

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
    // Blanks alone are no query: the matcher's own split says so.
    if (SplitQueryIntoTerms(query.str()).empty()) {
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
    // The first move reaches the top row; later ones go from the highlight.
    list.SetHighlight(std::clamp(list.Highlight() < 0 ? 0 : list.Highlight() + rows, 0, count - 1));
}

