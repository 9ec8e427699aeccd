// CString: formatting and the helpers the program relies on.
#include "base/cstring.h"

#include <gtest/gtest.h>
#include <cwchar>
#include <string>

TEST(CString, FormatHandlesLongTextsAndPercentSignsInArguments)
{
    std::wstring big(5000, L'x');
    CString text;
    text.Format(L"%ls|%d|%ls", big.c_str(), -12, L"100%d 😀");
    EXPECT_EQ(text.GetLength(), 5000 + 1 + 3 + 1 + 8) << "the emoji counts two units";
    EXPECT_EQ(text.Mid(5001), CString(L"-12|100%d 😀"));
}

TEST(CString, ReplaceDoublesQuotesWithoutLooping)
{
    CString text(L"it's 'x'");
    EXPECT_EQ(text.Replace(L"'", L"''"), 3);
    EXPECT_EQ(text, L"it''s ''x''");
}

TEST(CString, BufferRoundTripAndConcatenation)
{
    CString text;
    wchar_t* buffer = text.GetBuffer(16);
    wcscpy(buffer, L"abc");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 3);
    CString joined = L"<" + text + L">";
    joined += L'z';
    EXPECT_EQ(joined, L"<abc>z");
    EXPECT_EQ(joined.Left(2), L"<a");
    EXPECT_EQ(joined.Find(L'>'), 4);
    EXPECT_EQ(joined.Find(L'q'), -1);
}
