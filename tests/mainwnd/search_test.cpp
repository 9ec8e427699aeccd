// The search box's matcher: terms found by text and by pinyin, every term in the label or the content.
#include "mainwnd/search/search_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Item {
    const wchar_t* label;
    const wchar_t* content;
};

const Item kItems[] = {
    /* 0 */ {L"地址", L"北京市海淀区中关村大街1号"},
    /* 1 */ {L"长城", L"不到长城非好汉"},
    /* 2 */ {L"重庆", L"重庆火锅"},
    /* 3 */ {L"绿茶", L"一杯绿茶 策略"},
    /* 4 */ {L"ABC北京", L"mixed text"},
    /* 5 */ {L"Ｗｉｆｉ密码", L"ｐａｓｓ１２３"},
    /* 6 */ {L"𠮷野家", L"好😀人 𪚥字"},
    /* 7 */ {L"Meeting notes", L"Room 42 on Friday"},
    /* 8 */ {L"银行", L"账号 6222 0200"},
    /* 9 */ {L"Long", L"订单 0123456789012345678901234567890123456789012345678901234567890123456789"},
    /* 10 */ {L"Zoë", L"Łódź ÆRØ straße"},
};

// The query one character shorter: the earlier result that typing the last character narrows.
std::wstring WithoutLastChar(const std::wstring& query)
{
    std::size_t cut = query.size() - 1;
    if (cut > 0 && query[cut] >= 0xDC00 && query[cut] <= 0xDFFF && query[cut - 1] >= 0xD800 &&
        query[cut - 1] <= 0xDBFF)
        --cut;
    return query.substr(0, cut);
}

}  // namespace

TEST(SearchIndex, FindsTheItemsOfWhichEveryTermMatchesByTextOrByPinyin)
{
    struct Case {
        const wchar_t* query;
        std::vector<int> found;
        const char* why;
    };
    const std::vector<int> everyItem = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const Case cases[] = {
        {L"bjs", {0}, "北京市 by the first letters of its readings"},
        {L"beijing", {0, 4}, "北京 by whole readings, in the content and in a label"},
        {L"beij", {0, 4}, "the run's last character by the start of its reading"},
        {L"bejing", {}, "the start of a reading spells only the run's last character"},
        {L"haidian", {0}, "海淀 by whole readings in the middle of a text"},
        {L"hdq", {0}, "海淀区 by first letters"},
        {L"zhgc", {0}, "中 by its initial zh given whole"},
        {L"cc", {1}, "长城: 长 reads chang"},
        {L"zc", {1}, "长城: 长 also reads zhang"},
        {L"cq", {2}, "重庆: 重 reads chong"},
        {L"zq", {2}, "重庆: 重 also reads zhong"},
        {L"yh", {8}, "银行: 行 reads hang"},
        {L"yx", {8}, "银行: 行 also reads xing"},
        {L"lv", {3}, "绿 reads lü, typed with v"},
        {L"celve", {3}, "策略: 略 reads lüe, v inside a reading"},
        {L"abcbj", {4}, "Latin letters by themselves, then Chinese by pinyin, in one run"},
        {L"北j", {0, 4}, "a Chinese character typed in the query matches itself"},
        {L"b", {0, 1, 3, 4}, "one letter: a reading or a letter that starts with it"},
        {L"MEETING", {7}, "ASCII case is ignored"},
        {L"ＡＢＣ", {4}, "full-width letters in the query as their half-width forms"},
        {L"wifi", {5}, "full-width letters in the text as their half-width forms"},
        {L"PASS１２３", {5}, "full-width digits, and case across widths"},
        {L"friday notes", {7}, "one term in the content, the other in the label"},
        {L"notes　42", {7}, "the ideographic space separates terms too"},
        {L"friday 北京", {}, "each term matches some item, but no item matches both"},
        {L"zzzq", {}, "nothing spells it"},
        {L"𠮷野", {6}, "a character beyond the basic plane matches itself"},
        {L"𠮷yj", {6}, "... and is one character of a run spelled by pinyin"},
        {L"h😀r", {6}, "an emoji is one character between two spelled by pinyin"},
        {L"zhezi", {6}, "a character beyond the basic plane spelled by its reading"},
        {L"１23456789012345678901234567890123456789012345678901234567890123456789",
         {9},
         "a term too long to be spelled by pinyin is still found as written"},
        {L"zoe", {10}, "Latin diacritics are folded away in the text"},
        {L"ZOË lodz", {10}, "... and in the query, across cases, a stroke as well"},
        {L"ærø", {10}, "a letter without a base letter folds its case (Æ), summed up as a letter (Ø)"},
        {L"strasse", {}, "ß stays ß"},
        {L"", everyItem, "the empty query shows every item"},
        {L" 　 ", everyItem, "a query of blanks shows every item"},
    };

    CSearchIndex index;
    for (const Item& item : kItems)
        index.Add(item.label, item.content);
    ASSERT_EQ(index.Count(), 11);
    for (const Case& c : cases) {
        const std::wstring query = c.query;
        EXPECT_EQ(index.Filter(query), c.found) << c.why;
        if (query.empty())
            continue;
        const std::vector<int> earlier = index.Filter(WithoutLastChar(query));
        EXPECT_EQ(index.Filter(query, &earlier), c.found)
            << "narrowing the shorter query's result: " << c.why;
    }
}
