// Keys typed anywhere in the main window go to the search box.
#include "mainwnd/search_keys.h"

void SteerKeyToSearchBox(MSG& msg, HWND main, HWND box)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !box || msg.hwnd == box)
        return;
    if (msg.hwnd != main && !::IsChild(main, msg.hwnd))
        return;
    if (::GetFocus() != box)
        ::SetFocus(box);
    msg.hwnd = box;
}
