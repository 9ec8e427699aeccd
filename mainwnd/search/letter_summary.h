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
    bool MayFollow(int letter, int next) const
    {
        const int pair = letter * 26 + next;
        return (m_followers[static_cast<std::size_t>(pair / 64)] >> (pair % 64)) & 1;
    }
    bool MayHoldAll(std::uint64_t sketch) const { return (m_otherChars & sketch) == sketch; }

    // Adds a character that is not a letter, by its key, to a sketch.
    static void Sketch(std::uint32_t key, std::uint64_t& sketch);

private:
    // Letters as 0 for a .. 25 for z; bit l of a mask is letter l.
    // Adds that any of the letters may be followed by any of the next ones.
    void AddFollowers(std::uint32_t letters, std::uint32_t next);

    std::uint32_t m_starts = 0;
    // Bit letter * 26 + next: 676 pairs packed, a summary is kept per item.
    std::array<std::uint64_t, 11> m_followers{};
    std::uint64_t m_otherChars = 0;
};
