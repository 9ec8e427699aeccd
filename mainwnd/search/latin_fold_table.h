// The Latin letters' fold for search, as scripts/make-latin-fold-table.py generates it into the build
// folder from glibc's transliteration tables: a letter with a diacritic as its base letter in lower
// case (É, é, Ł: e, e, l), any other letter as its lower case (Æ: æ; ß stays), other characters as
// they are (×). Read it through FoldForSearch.
#pragma once

constexpr char32_t kLatinFoldFirst = 0xC0;  // Latin-1 Supplement's letters
constexpr char32_t kLatinFoldLast = 0x17F;  // the end of Latin Extended-A

extern const char16_t kLatinFold[kLatinFoldLast - kLatinFoldFirst + 1];
