// Fills the software descriptor that the about box reads.
#pragma once

#include "corelib/soft.h"

// Stores the four hex texts and their terminators; the rest of each field is left as it is.
void FillSoftDescriptor(tagSoft& soft);
