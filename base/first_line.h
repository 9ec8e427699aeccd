// The text a one-line row shows for a text that may hold several lines.
#pragma once

#include "base/cstring.h"

// A text holding a line break (a carriage return or a line feed) shows its first line followed by
// " …", so that its row stays one line high; any other text shows as it is.
CString FirstLineShown(const CString& text);
