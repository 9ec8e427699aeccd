// Filtering the items: every term against each item's label or content.
#include "mainwnd/search/search_index.h"

#include "mainwnd/search/query_terms.h"
#include "mainwnd/search/search_text.h"
#include "mainwnd/search/term_pattern.h"

void CSearchIndex::Add(std::wstring_view label, std::wstring_view content)
{
    m_textStarts.push_back(static_cast<std::uint32_t>(m_keys.size()));
    AppendSearchKeys(label, m_keys);
    m_textStarts.push_back(static_cast<std::uint32_t>(m_keys.size()));
    AppendSearchKeys(content, m_keys);
    m_summaries.emplace_back();
    m_summaries.back().AddText(m_keys.data() + m_textStarts[m_textStarts.size() - 2],
                               m_keys.data() + m_textStarts.back());
    m_summaries.back().AddText(m_keys.data() + m_textStarts.back(), m_keys.data() + m_keys.size());
}

void CSearchIndex::Clear()
{
    m_keys.clear();
    m_textStarts.clear();
    m_summaries.clear();
}

bool CSearchIndex::Matches(int item, const std::vector<CTermPattern>& terms) const
{
    const std::size_t at = 2 * static_cast<std::size_t>(item);
    const std::uint32_t* label = m_keys.data() + m_textStarts[at];
    const std::uint32_t* content = m_keys.data() + m_textStarts[at + 1];
    const std::uint32_t* end =
        m_keys.data() + (at + 2 < m_textStarts.size() ? m_textStarts[at + 2] : m_keys.size());
    for (const CTermPattern& term : terms) {
        if (!term.MayMatch(m_summaries[static_cast<std::size_t>(item)]))
            return false;
        if (!term.IsSettledBySummary() && !term.FoundIn(label, content) && !term.FoundIn(content, end))
            return false;
    }
    return true;
}

std::vector<CTermPattern> PrepareTerms(std::wstring_view query)
{
    std::vector<CTermPattern> terms;
    for (std::wstring_view term : SplitQueryIntoTerms(query))
        terms.emplace_back(term);
    return terms;
}

std::vector<int> CSearchIndex::Filter(std::wstring_view query, const std::vector<int>* within) const
{
    const std::vector<CTermPattern> terms = PrepareTerms(query);
    std::vector<int> found;
    found.reserve(within ? within->size() : m_summaries.size());
    if (within)
        FilterInto(terms, within->data(), within->data() + within->size(), 0, found);
    else
        FilterInto(terms, 0, found);
    return found;
}

void CSearchIndex::FilterInto(const std::vector<CTermPattern>& terms, int offset, std::vector<int>& found) const
{
    for (int item = 0; item < Count(); ++item)
        if (Matches(item, terms))
            found.push_back(item + offset);
}

void CSearchIndex::FilterInto(const std::vector<CTermPattern>& terms, const int* first, const int* last, int offset,
                              std::vector<int>& found) const
{
    for (const int* item = first; item != last; ++item)
        if (Matches(*item, terms))
            found.push_back(*item + offset);
}

std::size_t CSearchIndex::MemoryBytes() const
{
    return m_keys.capacity() * sizeof(m_keys[0]) + m_textStarts.capacity() * sizeof(m_textStarts[0]) +
           m_summaries.capacity() * sizeof(m_summaries[0]);
}
