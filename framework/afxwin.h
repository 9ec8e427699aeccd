// The framework in one include.
#pragma once

#include "framework/controls.h"
#include "base/cstring.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/gdiobj.h"
#include "framework/geometry.h"
#include "framework/listctrl.h"
#include "framework/menu.h"
#include "framework/msgmap.h"
#include "framework/object.h"
#include "framework/stdiofile.h"
#include "framework/winapp.h"
#include "framework/wnd.h"
