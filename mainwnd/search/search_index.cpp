// Filtering the items: every term against each item's label or content.
#include "mainwnd/search/search_index.h"

#include "mainwnd/search/query_terms.h"
#include "mainwnd/search/search_text.h"
#include "mainwnd/search/term_pattern.h"

void CSearchIndex::Add(std::wstring_view label, std::wstring_view content)
{
    m_textStarts.push_back(static_cast<std::uint32_t>(m_texts.size()));
    m_texts.append(label);
    m_textStarts.push_back(static_cast<std::uint32_t>(m_texts.size()));
    m_texts.append(content);
    // One buffer for every item this thread adds.
    thread_local std::vector<std::uint32_t> keys;
    keys.clear();
    AppendSearchKeys(label, keys);
    const std::size_t contentAt = keys.size();
    AppendSearchKeys(content, keys);
    m_summaries.emplace_back();
    m_summaries.back().AddText(keys.data(), keys.data() + contentAt);
    m_summaries.back().AddText(keys.data() + contentAt, keys.data() + keys.size());
}

std::wstring_view CSearchIndex::Label(int item) const
{
    const std::size_t at = 2 * static_cast<std::size_t>(item);
    return std::wstring_view(m_texts).substr(m_textStarts[at], m_textStarts[at + 1] - m_textStarts[at]);
}

std::wstring_view CSearchIndex::Content(int item) const
{
    const std::size_t at = 2 * static_cast<std::size_t>(item);
    const std::size_t end = at + 2 < m_textStarts.size() ? m_textStarts[at + 2] : m_texts.size();
    return std::wstring_view(m_texts).substr(m_textStarts[at + 1], end - m_textStarts[at + 1]);
}

void CSearchIndex::Clear()
{
    m_texts.clear();
    m_textStarts.clear();
    m_summaries.clear();
}

void CSearchIndex::Compact()
{
    m_texts.shrink_to_fit();
    m_textStarts.shrink_to_fit();
    m_summaries.shrink_to_fit();
}

std::size_t CSearchIndex::KeyItem(int item, std::vector<std::uint32_t>& keys) const
{
    const std::size_t at = 2 * static_cast<std::size_t>(item);
    const std::size_t label = m_textStarts[at];
    const std::size_t content = m_textStarts[at + 1];
    const std::size_t end = at + 2 < m_textStarts.size() ? m_textStarts[at + 2] : m_texts.size();
    const std::wstring_view texts(m_texts);
    keys.clear();
    AppendSearchKeys(texts.substr(label, content - label), keys);
    const std::size_t contentAt = keys.size();
    AppendSearchKeys(texts.substr(content, end - content), keys);
    return contentAt;
}

bool CSearchIndex::Matches(int item, const std::vector<CTermPattern>& terms, std::vector<std::uint32_t>& keys) const
{
    bool keyed = false;
    std::size_t contentAt = 0;
    for (const CTermPattern& term : terms) {
        if (!term.MayMatch(m_summaries[static_cast<std::size_t>(item)]))
            return false;
        if (term.IsSettledBySummary())
            continue;
        // Keyed once, and only for an item its summary could not settle.
        if (!keyed) {
            contentAt = KeyItem(item, keys);
            keyed = true;
        }
        const std::uint32_t* label = keys.data();
        const std::uint32_t* content = label + contentAt;
        if (!term.FoundIn(label, content) && !term.FoundIn(content, label + keys.size()))
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
    std::vector<std::uint32_t> keys;
    for (int item = 0; item < Count(); ++item)
        if (Matches(item, terms, keys))
            found.push_back(item + offset);
}

void CSearchIndex::FilterInto(const std::vector<CTermPattern>& terms, const int* first, const int* last, int offset,
                              std::vector<int>& found) const
{
    std::vector<std::uint32_t> keys;
    for (const int* item = first; item != last; ++item)
        if (Matches(*item, terms, keys))
            found.push_back(*item + offset);
}

std::size_t CSearchIndex::MemoryBytes() const
{
    return m_texts.capacity() * sizeof(m_texts[0]) + m_textStarts.capacity() * sizeof(m_textStarts[0]) +
           m_summaries.capacity() * sizeof(m_summaries[0]);
}
