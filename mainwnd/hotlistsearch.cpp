// CHotListSearch: filtering the hot list, narrowing the last result while the user types on.
#include "mainwnd/hotlistsearch.h"

#include "base/first_line.h"
#include "mainwnd/search/query_terms.h"

#include <algorithm>

namespace {

// Whether a query only adds to the end of the last one, so that it finds a subset of what that
// found. A last query ending in the first half of a surrogate pair looked for a character the
// completed pair is not: the new query is no narrowing of it.
bool Narrows(const CString& query, const CString& last)
{
    const std::wstring& before = last.str();
    if (before.empty() || IS_HIGH_SURROGATE(before.back()))
        return false;
    return query.str().compare(0, before.size(), before) == 0;
}

}  // namespace

void CHotListSearch::Clear()
{
    m_chunks.clear();
    m_chunkStarts.clear();
    m_lastMatches.clear();
}

int CHotListSearch::Count() const
{
    return m_chunks.empty() ? 0 : m_chunkStarts.back() + m_chunks.back().Count();
}

size_t CHotListSearch::ChunkOf(int position) const
{
    return static_cast<size_t>(std::upper_bound(m_chunkStarts.begin(), m_chunkStarts.end(), position) -
                               m_chunkStarts.begin()) - 1;
}

std::wstring CHotListSearch::RowText(int position) const
{
    if (position < 0 || position >= Count())
        return std::wstring();
    const size_t chunk = ChunkOf(position);
    const int item = position - m_chunkStarts[chunk];
    const std::wstring_view label = m_chunks[chunk].Label(item);
    // A row stays one line high: a label of several lines shows its first.
    return FirstLineShown(CString(std::wstring(label.empty() ? m_chunks[chunk].Content(item) : label))).str();
}

std::vector<int> CHotListSearch::AddChunk(CSearchIndex chunk)
{
    const int start = Count();
    m_chunkStarts.push_back(start);
    m_chunks.push_back(std::move(chunk));
    std::vector<int> found;
    if (IsFiltering()) {
        m_chunks.back().FilterInto(PrepareTerms(m_lastQuery.str()), start, found);
        m_lastMatches.insert(m_lastMatches.end(), found.begin(), found.end());
    }
    return found;
}

std::vector<int> CHotListSearch::Filter(const CString& query, const std::vector<int>* within) const
{
    const std::vector<CTermPattern> terms = PrepareTerms(query.str());
    std::vector<int> found;
    found.reserve(within ? within->size() : 1024);
    for (size_t chunk = 0; chunk < m_chunks.size(); ++chunk) {
        const int start = m_chunkStarts[chunk];
        if (!within) {
            m_chunks[chunk].FilterInto(terms, start, found);
            continue;
        }
        // The earlier result's items of this chunk, as the chunk numbers them.
        const auto first = std::lower_bound(within->begin(), within->end(), start);
        const auto last = std::lower_bound(first, within->end(), start + m_chunks[chunk].Count());
        std::vector<int> local(first, last);
        for (int& item : local)
            item -= start;
        m_chunks[chunk].FilterInto(terms, local.data(), local.data() + local.size(), start, found);
    }
    return found;
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
    m_lastMatches = Filter(query, Narrows(query, m_lastQuery) ? &m_lastMatches : nullptr);
    m_lastQuery = query;
    list.ShowRows(m_lastMatches);
    list.SetHighlight(m_lastMatches.empty() ? -1 : 0);
}

void CHotListSearch::Reapply(CHotListBox& list, const CString& query)
{
    m_lastQuery.Empty();
    Apply(list, query);
}

void CHotListSearch::MoveHighlight(CHotListBox& list, int rows)
{
    const int count = list.GetCount();
    if (count <= 0)
        return;
    // The first move reaches the top row; later ones go from the highlight.
    list.SetHighlight(std::clamp(list.Highlight() < 0 ? 0 : list.Highlight() + rows, 0, count - 1));
}
