// googletest shows a CString in a failure message as its text (UTF-8), not as a pointer.
#pragma once

#include "base/cstring.h"

#include <ostream>

void PrintTo(const CString& text, std::ostream* out);
