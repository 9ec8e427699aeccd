// What letters a text can spell and which other characters it holds, kept per item so that most items
// are settled without reading their text: the letters a run can begin with, which letter can follow
// which, and a sketch of the characters that are not letters (Chinese ones typed as themselves,
// digits). A term whose letters or characters do not fit cannot match; a term of one letter matches
// exactly when some character can begin with it.
#pragma once

#include <array>
#include <cstdint>

class CLetterSummary {
public:
    // Adds a text keyed by AppendSearchKeys.
    void AddText(const std::uint32_t* first, const std::uint32_t* last);

    bool MayBeginWith(int letter) const { return (m_starts >> letter) & 1; }
    bool MayFollow(int letter, int next) const { return (m_followers[letter] >> next) & 1; }
    bool MayHoldAll(const std::array<std::uint64_t, 2>& sketch) const
    {
        return (m_otherChars[0] & sketch[0]) == sketch[0] && (m_otherChars[1] & sketch[1]) == sketch[1];
    }

    // Adds a character that is not a letter, by its key, to a sketch.
    static void Sketch(std::uint32_t key, std::array<std::uint64_t, 2>& sketch);

private:
    // Letters as 0 for a .. 25 for z; bit l of a mask is letter l.
    std::uint32_t m_starts = 0;
    std::array<std::uint32_t, 26> m_followers{};
    std::array<std::uint64_t, 2> m_otherChars{};
};
