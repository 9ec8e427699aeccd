// What letters a text can spell, kept per item so that most items are settled without reading their
// text: the letters a run can begin with, and which letter can follow which. A term whose letters do
// not fit cannot match; a term of one letter matches exactly when some character can begin with it.
#pragma once

#include <array>
#include <cstdint>

class CLetterSummary {
public:
    // Adds a text keyed by AppendSearchKeys.
    void AddText(const std::uint32_t* first, const std::uint32_t* last);

    bool MayBeginWith(int letter) const { return (m_starts >> letter) & 1; }
    bool MayFollow(int letter, int next) const { return (m_followers[letter] >> next) & 1; }

private:
    // Letters as 0 for a .. 25 for z; bit l of a mask is letter l.
    std::uint32_t m_starts = 0;
    std::array<std::uint32_t, 26> m_followers{};
};
