// CString in failure messages.
#include "tests/support/cstring_print.h"

#include "tests/support/testdb.h"

void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << testing_support::Utf8(text.str()) << '"';
}
