// CHotRowBatch: rows of the hot list held compactly, for a million items as for ten: each item's id
// and the one line its row shows, all texts in one buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CHotRowBatch {
public:
    // An item whose row text the list finds elsewhere (see CHotListBox::SetRowTexts).
    void AddId(int id) { m_ids.push_back(id); }
    void Add(std::wstring_view text, int id)
    {
        m_texts.append(text);
        m_ends.push_back(static_cast<std::uint32_t>(m_texts.size()));
        m_ids.push_back(id);
    }
    // Every row of another batch after these.
    void Append(const CHotRowBatch& other)
    {
        const std::uint32_t base = static_cast<std::uint32_t>(m_texts.size());
        m_texts += other.m_texts;
        m_ends.reserve(m_ends.size() + other.m_ends.size());
        for (std::uint32_t end : other.m_ends)
            m_ends.push_back(base + end);
        m_ids.insert(m_ids.end(), other.m_ids.begin(), other.m_ids.end());
    }
    void Clear() { *this = CHotRowBatch(); }
    // Gives back the room growing left unused.
    void Compact()
    {
        m_texts.shrink_to_fit();
        m_ends.shrink_to_fit();
        m_ids.shrink_to_fit();
    }

    int Count() const { return static_cast<int>(m_ids.size()); }
    int IdAt(int row) const { return m_ids[static_cast<std::size_t>(row)]; }
    std::wstring_view TextAt(int row) const
    {
        const std::size_t at = static_cast<std::size_t>(row);
        if (at >= m_ends.size())
            return {};
        const std::uint32_t begin = at == 0 ? 0 : m_ends[at - 1];
        return std::wstring_view(m_texts).substr(begin, m_ends[at] - begin);
    }

private:
    std::wstring m_texts;
    std::vector<std::uint32_t> m_ends;  // where each row's text ends in m_texts
    std::vector<int> m_ids;
};

// Every row of a list, as the batches that brought them: no copy when a batch is added, and no
// room left over from growing, however many rows there are.
class CHotRowStore {
public:
    void Append(CHotRowBatch rows)
    {
        if (rows.Count() == 0)
            return;
        m_starts.push_back(Count());
        m_count += rows.Count();
        m_batches.push_back(std::move(rows));
    }
    // One row, after the others.
    void Add(std::wstring_view text, int id)
    {
        if (m_batches.empty()) {
            m_starts.push_back(0);
            m_batches.emplace_back();
        }
        m_batches.back().Add(text, id);
        ++m_count;
    }
    void Clear() { *this = CHotRowStore(); }

    int Count() const { return m_count; }
    int IdAt(int row) const
    {
        const std::size_t batch = BatchOf(row);
        return m_batches[batch].IdAt(row - m_starts[batch]);
    }
    std::wstring_view TextAt(int row) const
    {
        const std::size_t batch = BatchOf(row);
        return m_batches[batch].TextAt(row - m_starts[batch]);
    }

private:
    std::size_t BatchOf(int row) const
    {
        std::size_t low = 0;
        std::size_t high = m_starts.size();
        while (high - low > 1) {
            const std::size_t middle = (low + high) / 2;
            (m_starts[middle] <= row ? low : high) = middle;
        }
        return low;
    }

    std::vector<CHotRowBatch> m_batches;
    std::vector<int> m_starts;  // the first row of each batch
    int m_count = 0;
};
