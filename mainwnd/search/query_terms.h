// A query as typed into the search box, split into the terms that must all match.
#pragma once

#include <string_view>
#include <vector>

// The terms between blanks (space, tab, the ideographic space U+3000); none for a blank query.
std::vector<std::wstring_view> SplitQueryIntoTerms(std::wstring_view query);
