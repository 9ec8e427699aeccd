// Looking for a term in keyed texts: every term position that a run can have reached is one bit, and
// each character of the text moves all of them at once.
#include "mainwnd/search/term_pattern.h"

#include "mainwnd/search/pinyin_table.h"
#include "mainwnd/search/search_text.h"

namespace {

constexpr std::uint64_t Bit(std::size_t position)
{
    return std::uint64_t{1} << position;
}

bool IsInitialPair(std::string_view letters)
{
    return letters.size() > 2 && letters[1] == 'h' &&
           (letters[0] == 'z' || letters[0] == 'c' || letters[0] == 's');
}

}  // namespace

CTermPattern::CTermPattern(std::wstring_view term) : m_chars(FoldedChars(term))
{
    if (m_chars.empty() || m_chars.size() > kMaxSpelledLength)
        return;
    m_spelled = Bit(m_chars.size());
    PreparePositions();
    PrepareSyllables();
    PrepareStarts();
    PrepareLetters();
}

void CTermPattern::PrepareLetters()
{
    const auto letterAt = [this](std::size_t j) {
        return m_chars[j] >= U'a' && m_chars[j] <= U'z' ? static_cast<int>(m_chars[j] - U'a') : -1;
    };
    m_firstLetter = letterAt(0);
    for (std::size_t j = 0; j < m_chars.size(); ++j)
        if (letterAt(j) < 0)
            CLetterSummary::Sketch(SearchKeyOf(m_chars[j]), m_otherChars);
    for (std::size_t j = 0; j + 1 < m_chars.size(); ++j) {
        const std::pair<int, int> pair(letterAt(j), letterAt(j + 1));
        if (pair.first >= 0 && pair.second >= 0)
            m_letterPairs.push_back(pair);
    }
}

bool CTermPattern::MayMatch(const CLetterSummary& summary) const
{
    if (m_firstLetter >= 0 && !summary.MayBeginWith(m_firstLetter))
        return false;
    if (!summary.MayHoldAll(m_otherChars))
        return false;
    for (const auto& pair : m_letterPairs)
        if (!summary.MayFollow(pair.first, pair.second))
            return false;
    return true;
}

void CTermPattern::PreparePositions()
{
    for (std::size_t j = 0; j < m_chars.size(); ++j) {
        const char32_t c = m_chars[j];
        if (c < m_asciiPositions.size()) {
            m_asciiPositions[c] |= Bit(j);
            continue;
        }
        auto known = m_otherPositions.begin();
        while (known != m_otherPositions.end() && known->first != c)
            ++known;
        if (known == m_otherPositions.end())
            m_otherPositions.emplace_back(c, Bit(j));
        else
            known->second |= Bit(j);
    }
}

void CTermPattern::PrepareSyllables()
{
    const std::u32string_view term = m_chars;
    m_syllables.resize(static_cast<std::size_t>(pinyin::SyllableCount()));
    for (std::size_t s = 0; s < m_syllables.size(); ++s) {
        const std::string_view letters = pinyin::SyllableLetters(static_cast<int>(s));
        SyllableStep& step = m_syllables[s];
        step.length = static_cast<int>(letters.size());
        step.initial = m_asciiPositions[static_cast<unsigned char>(letters[0])];
        for (std::size_t j = 0; j < term.size(); ++j) {
            const std::size_t rest = term.size() - j;
            const std::size_t compared = rest < letters.size() ? rest : letters.size();
            std::size_t same = 0;
            while (same < compared && term[j + same] == static_cast<char32_t>(letters[same]))
                ++same;
            if (same == letters.size())
                step.whole |= Bit(j);
            if (same == rest)
                step.endsTerm |= Bit(j);
            if (IsInitialPair(letters) && same >= 2)
                step.pair |= Bit(j);
        }
    }
}

void CTermPattern::PrepareStarts()
{
    m_firstKey = SearchKeyOf(m_chars[0]);
    m_secondKey = m_chars.size() > 1 ? SearchKeyOf(m_chars[1]) : m_firstKey;
    const auto flagsOf = [this](int syllable) {
        const std::string_view letters = pinyin::SyllableLetters(syllable);
        const bool first = static_cast<char32_t>(letters[0]) == m_chars[0];
        const bool second = m_chars.size() > 1 && static_cast<char32_t>(letters[0]) == m_chars[1];
        // A term of one character is begun wherever its first letter is.
        const bool firstTwo =
            first &&
            (m_chars.size() == 1 || (letters.size() > 1 && static_cast<char32_t>(letters[1]) == m_chars[1]));
        return static_cast<std::uint8_t>((first ? kBeginsFirst : 0) | (firstTwo ? kBeginsFirstTwo : 0) |
                                         (second ? kBeginsSecond : 0));
    };
    // Indexed by a key's top half: every key without readings reads 0.
    m_startFlags.assign(std::size_t{1} << (32 - kReadingsShift), 0);
    const std::uint32_t readingCharIndex = kReadingCharKey >> kReadingsShift;
    for (int s = 0; s < pinyin::SyllableCount(); ++s)
        m_startFlags[readingCharIndex | kOneReadingKey >> kReadingsShift | static_cast<std::uint32_t>(s)] =
            flagsOf(s);
    for (int list = 0; list < pinyin::ListCount(); ++list)
        for (std::uint16_t s : pinyin::SyllablesOfList(list))
            m_startFlags[readingCharIndex | static_cast<std::uint32_t>(list)] |= flagsOf(s);
}

const std::uint32_t* CTermPattern::NextStart(const std::uint32_t* at, const std::uint32_t* last) const
{
    for (; at != last; ++at) {
        const std::uint32_t key = *at;
        const std::uint8_t flags = m_startFlags[key >> kReadingsShift];
        if (!(flags & (kBeginsFirst | kBeginsFirstTwo)) && key != m_firstKey)
            continue;
        if (key == m_firstKey || (flags & kBeginsFirstTwo) || at + 1 == last)
            return at;
        // A reading's first letter spells the term's first: the next character must go on with the second.
        if (at[1] == m_secondKey || (m_startFlags[at[1] >> kReadingsShift] & kBeginsSecond))
            return at;
    }
    return last;
}

std::uint64_t CTermPattern::PositionsOf(char32_t c) const
{
    if (c < m_asciiPositions.size())
        return m_asciiPositions[c];
    for (const auto& known : m_otherPositions)
        if (known.first == c)
            return known.second;
    return 0;
}

bool CTermPattern::FoundIn(const std::uint32_t* first, const std::uint32_t* last) const
{
    if (m_chars.empty())
        return true;
    if (m_chars.size() > kMaxSpelledLength)
        return FoundAsWritten(first, last);
    // Bit 0 is always live: a run may begin at any character.
    std::uint64_t live = 1;
    for (const std::uint32_t* at = first; at != last; ++at) {
        if (live == 1) {
            at = NextStart(at, last);
            if (at == last)
                return false;
        }
        const std::uint32_t key = *at;
        std::uint64_t next = 0;
        std::uint64_t itself = 0;
        if (key & kReadingCharKey) {
            const auto stepBy = [&](std::uint16_t syllable) {
                const SyllableStep& step = m_syllables[syllable];
                next |=
                    (live & step.whole) << step.length | (live & step.initial) << 1 | (live & step.pair) << 2;
                return (live & step.endsTerm) != 0;
            };
            const std::uint32_t readings = key >> kReadingsShift & kReadingsMask;
            if (key & kOneReadingKey) {
                if (stepBy(static_cast<std::uint16_t>(readings)))
                    return true;
            } else {
                for (std::uint16_t s : pinyin::SyllablesOfList(static_cast<int>(readings)))
                    if (stepBy(s))
                        return true;
            }
            if (!m_otherPositions.empty())
                itself =
                    PositionsOf(pinyin::CodePointOfReadingChar(static_cast<int>(key & kReadingCharIdMask)));
        } else {
            itself = PositionsOf(key);
        }
        next |= (live & itself) << 1;
        if (next & m_spelled)
            return true;
        live = next | 1;
    }
    return false;
}

bool CTermPattern::FoundAsWritten(const std::uint32_t* first, const std::uint32_t* last) const
{
    const auto charAt = [](std::uint32_t key) {
        return key & kReadingCharKey
                   ? pinyin::CodePointOfReadingChar(static_cast<int>(key & kReadingCharIdMask))
                   : static_cast<char32_t>(key);
    };
    for (; static_cast<std::size_t>(last - first) >= m_chars.size(); ++first) {
        std::size_t same = 0;
        while (same < m_chars.size() && charAt(first[same]) == m_chars[same])
            ++same;
        if (same == m_chars.size())
            return true;
    }
    return false;
}
