// One query term, prepared once to be looked for in many texts. The term matches where a run of
// consecutive characters spells it: a Chinese character by the first letter of one of its readings
// (zh, ch, sh also whole) or by a whole reading, the run's last character also by any start of a
// reading, and every character, Chinese or not, by itself. Plain containment is the run where every
// character stands for itself. Case and width are folded in the term and the text alike.
#pragma once

#include "mainwnd/search/letter_summary.h"
#include "mainwnd/search/search_text.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CTermPattern {
public:
    explicit CTermPattern(std::wstring_view term);

    // Whether the term can match in texts of this summary; for a term of one letter, whether it does.
    bool MayMatch(const CLetterSummary& summary) const;
    bool IsSettledBySummary() const { return m_chars.size() == 1 && m_firstLetter >= 0; }

    // Whether the term matches in a text keyed by AppendSearchKeys; an empty term matches any text.
    bool FoundIn(const std::uint32_t* first, const std::uint32_t* last) const;

    // A longer term is only looked for as it is written: a run's progress is one bit per term
    // position, and one more bit for the whole term spelled.
    static constexpr std::size_t kMaxSpelledLength = 63;

private:
    // What one reading of a character does to a run's progress (bit j: the run has spelled j
    // characters of the term): its whole, its first letter, its zh/ch/sh pair, and, where the term
    // ends within it, any start of it.
    struct SyllableStep {
        std::uint64_t whole = 0;
        std::uint64_t initial = 0;
        std::uint64_t pair = 0;
        std::uint64_t endsTerm = 0;
        int length = 0;
    };

    void PreparePositions();
    void PrepareSyllables();
    void PrepareStarts();
    void PrepareLetters();
    // The first character from `at` on where a run may begin (`last` for none).
    const std::uint32_t* NextStart(const std::uint32_t* at, const std::uint32_t* last) const;
    std::uint64_t PositionsOf(char32_t c) const;
    bool FoundAsWritten(const std::uint32_t* first, const std::uint32_t* last) const;

    std::u32string m_chars;
    std::uint64_t m_spelled = 0;  // the bit of a run that has spelled the whole term
    std::array<std::uint64_t, 128> m_asciiPositions{};
    std::vector<std::pair<char32_t, std::uint64_t>> m_otherPositions;
    std::vector<SyllableStep> m_syllables;
    // Where a run can begin: the term's first two characters as a text's keys, and by the top half of
    // a key, whether a reading it holds begins with the term's first letter, its first two, or its
    // second.
    enum StartFlag : std::uint8_t { kBeginsFirst = 1, kBeginsFirstTwo = 2, kBeginsSecond = 4 };
    std::uint32_t m_firstKey = 0;
    std::uint32_t m_secondKey = 0;
    std::vector<std::uint8_t> m_startFlags;
    // The term's first letter and each two letters that follow each other in it (0 for a .. 25 for z).
    int m_firstLetter = -1;
    std::vector<std::pair<int, int>> m_letterPairs;
    // The term's characters that are not letters, as CLetterSummary sketches them.
    std::uint64_t m_otherChars = 0;
};
