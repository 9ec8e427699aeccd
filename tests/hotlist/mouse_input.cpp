// SendInput helpers.
#include "tests/hotlist/mouse_input.h"

#include "tests/support/pump.h"

namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

// Absolute input is in 1/65536 of the primary screen; rounding up lands on the pixel itself.
LONG Normalised(int pixel, int screenSize)
{
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

}  // namespace

bool MouseMoveTo(int x, int y)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(x, ::GetSystemMetrics(SM_CXSCREEN)),
              Normalised(y, ::GetSystemMetrics(SM_CYSCREEN)));
    return testing_support::PumpUntil([&] {
        POINT cursor;
        return ::GetCursorPos(&cursor) && cursor.x == x && cursor.y == y;
    }, 2000);
}

void MouseLeftDown()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}

void MouseLeftUp()
{
    SendMouse(MOUSEEVENTF_LEFTUP);
}

bool ClickAt(int x, int y)
{
    if (!MouseMoveTo(x, y))
        return false;
    MouseLeftDown();
    MouseLeftUp();
    return true;
}
