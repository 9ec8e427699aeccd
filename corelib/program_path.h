// Where the running program's executable is.
#pragma once

#include "base/cstring.h"

// The full path of the executable of this process.
CString ProgramFilePath();
