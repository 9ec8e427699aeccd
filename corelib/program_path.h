// Where the running program's executable is.
#pragma once

#include "framework/cstring.h"

// The full path of the executable of this process.
CString ProgramFilePath();
