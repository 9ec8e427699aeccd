// The items' labels and contents, prepared once for filtering at every keystroke. Items are numbered
// in the order they were added (the heat order), and a filter keeps that order.
#pragma once

#include "mainwnd/search/letter_summary.h"
#include "mainwnd/search/term_pattern.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The terms of a query, each prepared to be looked for in many texts.
std::vector<CTermPattern> PrepareTerms(std::wstring_view query);

class CSearchIndex {
public:
    // Adds the next item; its index is the count of items before it.
    void Add(std::wstring_view label, std::wstring_view content);
    int Count() const { return static_cast<int>(m_summaries.size()); }
    // An item's label and content as added.
    std::wstring_view Label(int item) const;
    std::wstring_view Content(int item) const;
    void Clear();

    // The indexes, ascending, of the items of which every term of the query matches the label or the
    // content; every item for a query of blanks only. `within`, when given, is the ascending result of
    // an earlier query that this one only narrows (a letter or a term added at its end): only those
    // items are looked at.
    std::vector<int> Filter(std::wstring_view query, const std::vector<int>* within = nullptr) const;
    // The same for terms prepared once (PrepareTerms), over several indexes: the matching indexes,
    // plus offset, appended to found; of all items, or of the ascending indexes [first, last).
    void FilterInto(const std::vector<CTermPattern>& terms, int offset, std::vector<int>& found) const;
    void FilterInto(const std::vector<CTermPattern>& terms, const int* first, const int* last, int offset,
                    std::vector<int>& found) const;

    // The bytes the prepared texts hold.
    std::size_t MemoryBytes() const;
    // Gives back what the texts do not use: an index that is complete takes no more than it needs.
    void Compact();

private:
    // Keys the item's label and content into keys; where the content's keys begin.
    std::size_t KeyItem(int item, std::vector<std::uint32_t>& keys) const;
    bool Matches(int item, const std::vector<CTermPattern>& terms, std::vector<std::uint32_t>& keys) const;

    // Every item's label then content as they are, in UTF-16, item after item: two bytes a unit
    // rather than a key's four, keyed (folded, with their readings) when an item is looked at.
    std::wstring m_texts;
    // Where each item's label and content begin in m_texts; the next item's label ends the content.
    std::vector<std::uint32_t> m_textStarts;
    // Each item's letters, label and content together: most items are settled by these alone.
    std::vector<CLetterSummary> m_summaries;
};
