// Who the program says it is: the names and the version in the about box and the tray tip.
#pragma once

#include "corelib/product_name.h"  // kProductName, the display name
#include "res/version.h"           // the version the resource and the archive names carry

constexpr wchar_t kProductVersion[] = L"" MIRELO_VERSION_TEXT;
constexpr wchar_t kProductId[] = L"tarnwick";  // the short product identifier
constexpr wchar_t kProductType[] = L"software";
