// The about box: the product name and version, read back from the software descriptor.
#pragma once

#include "corelib/soft.h"
#include "base/cstring.h"

#include <windows.h>

// The display name and the version the descriptor holds; "" for a field that does not decode.
CString SoftProductName(const tagSoft* soft);
CString SoftVersion(const tagSoft* soft);

// The box's caption and text for a descriptor.
CString AboutCaption(const tagSoft* soft);
CString AboutText(const tagSoft* soft);

// Shows the box modally over owner; returns when it is dismissed.
void ShowAboutBox(HWND owner, const tagSoft* soft);
