// Who the program says it is: the names and the version in the about box and the tray tip.
#pragma once

#include "corelib/product_name.h"  // kProductName, the display name

constexpr char kProductVersion[] = "2.1028";
constexpr char kProductId[] = "tarnwick";  // the short product identifier
constexpr char kProductType[] = "software";
