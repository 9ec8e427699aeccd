// Summing up a text's letters. Two letters of a term follow each other either inside one reading, or
// across two characters: the last letter a character spells (its reading's first or last letter, the h
// of zh, ch, sh, or itself) and the first the next one spells (its reading's first letter, or itself).
#include "mainwnd/search/letter_summary.h"

#include "mainwnd/search/pinyin_table.h"
#include "mainwnd/search/search_text.h"

#include <string_view>

namespace {

std::uint32_t LetterBit(char letter)
{
    return std::uint32_t{1} << (letter - 'a');
}

}  // namespace

void CLetterSummary::Sketch(std::uint32_t key, std::uint64_t& sketch)
{
    const std::uint32_t bit = (key * 0x9E3779B1u) >> 26;  // 6 well-mixed bits of the key
    sketch |= std::uint64_t{1} << bit;
}

void CLetterSummary::AddFollowers(std::uint32_t letters, std::uint32_t next)
{
    for (; letters != 0; letters &= letters - 1) {
        const int letter = __builtin_ctz(letters);
        for (std::uint32_t rest = next; rest != 0; rest &= rest - 1) {
            const int pair = letter * 26 + __builtin_ctz(rest);
            m_followers[static_cast<std::size_t>(pair / 64)] |= std::uint64_t{1} << (pair % 64);
        }
    }
}

void CLetterSummary::AddText(const std::uint32_t* first, const std::uint32_t* last)
{
    std::uint32_t endsBefore = 0;  // the letters the previous character's spelling can end with
    for (const std::uint32_t* at = first; at != last; ++at) {
        std::uint32_t starts = 0;
        std::uint32_t ends = 0;
        if (*at & kReadingCharKey) {
            for (std::uint16_t s : pinyin::ReadingsOf(static_cast<int>(*at & kReadingCharIdMask))) {
                const std::string_view letters = pinyin::SyllableLetters(s);
                starts |= LetterBit(letters[0]);
                ends |= LetterBit(letters[0]) | LetterBit(letters.back());
                if (letters.size() > 2 && letters[1] == 'h')
                    ends |= LetterBit('h');
                for (std::size_t i = 0; i + 1 < letters.size(); ++i)
                    AddFollowers(LetterBit(letters[i]), LetterBit(letters[i + 1]));
            }
        }
        if (*at >= 'a' && *at <= 'z')
            starts = ends = LetterBit(static_cast<char>(*at));
        else
            Sketch(*at, m_otherChars);
        AddFollowers(endsBefore, starts);
        m_starts |= starts;
        endsBefore = ends;
    }
}
