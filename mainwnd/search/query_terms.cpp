// Splitting a query at blanks.
#include "mainwnd/search/query_terms.h"

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\x3000';
}

}  // namespace

std::vector<std::wstring_view> SplitQueryIntoTerms(std::wstring_view query)
{
    std::vector<std::wstring_view> terms;
    std::size_t i = 0;
    while (i < query.size()) {
        while (i < query.size() && IsBlank(query[i]))
            ++i;
        const std::size_t start = i;
        while (i < query.size() && !IsBlank(query[i]))
            ++i;
        if (i > start)
            terms.push_back(query.substr(start, i - start));
    }
    return terms;
}
