// CString: formatting and the helpers the program relies on.
#include "base/cstring.h"

#include <gtest/gtest.h>
#include <string>

TEST(CString, FormatHandlesLongTextsAndPercentSignsInArguments)
{
    std::string big(5000, 'x');
    CString text;
    text.Format("%s|%d|%s", big.c_str(), -12, "100%d");
    EXPECT_EQ(text.GetLength(), 5000 + 1 + 3 + 1 + 5);
    EXPECT_EQ(text.Mid(5001), CString("-12|100%d"));
}

TEST(CString, ReplaceDoublesQuotesWithoutLooping)
{
    CString text("it's 'x'");
    EXPECT_EQ(text.Replace("'", "''"), 3);
    EXPECT_EQ(text, "it''s ''x''");
}

TEST(CString, BufferRoundTripAndConcatenation)
{
    CString text;
    char* buffer = text.GetBuffer(16);
    strcpy(buffer, "abc");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 3);
    CString joined = "<" + text + ">";
    joined += 'z';
    EXPECT_EQ(joined, "<abc>z");
    EXPECT_EQ(joined.Left(2), "<a");
    EXPECT_EQ(joined.Find('>'), 4);
    EXPECT_EQ(joined.Find('q'), -1);
}
