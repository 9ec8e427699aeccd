// CHotRowBatch: rows of the hot list held compactly, for a million items as for ten: each item's id
// and the one line its row shows, all texts in one buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CHotRowBatch {
public:
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

    int Count() const { return static_cast<int>(m_ids.size()); }
    int IdAt(int row) const { return m_ids[static_cast<std::size_t>(row)]; }
    std::wstring_view TextAt(int row) const
    {
        const std::size_t at = static_cast<std::size_t>(row);
        const std::uint32_t begin = at == 0 ? 0 : m_ends[at - 1];
        return std::wstring_view(m_texts).substr(begin, m_ends[at] - begin);
    }
    // The bytes the rows hold.
    std::size_t MemoryBytes() const
    {
        return m_texts.capacity() * sizeof(wchar_t) + m_ends.capacity() * sizeof(std::uint32_t) +
               m_ids.capacity() * sizeof(int);
    }

private:
    std::wstring m_texts;
    std::vector<std::uint32_t> m_ends;  // where each row's text ends in m_texts
    std::vector<int> m_ids;
};
