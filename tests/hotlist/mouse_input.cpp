// SendInput helpers that cope with Wine's cursor bookkeeping.
#include "tests/hotlist/mouse_input.h"

#include "tests/support/pump.h"

namespace {

// Absolute input is in 1/65536 of the primary screen; rounding up lands on the pixel itself.
LONG Normalised(int pixel, int screenSize)
{
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

// Buttons always carry the position, so that they go to the window under that point.
void SendMouseAt(int x, int y, DWORD buttonFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(y, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
    ::SendInput(1, &input, sizeof(input));
}

bool CursorAt(int x, int y)
{
    POINT cursor;
    return ::GetCursorPos(&cursor) && cursor.x == x && cursor.y == y;
}

// Under Wine the server's cursor and the X pointer can disagree for a while after a move: the X
// pointer only follows a move that changes the server's position, late X events can put the
// server's position back, and GetCursorPos answers from the X pointer once 100 ms have passed
// since the last change. The position is settled when it has read the same for longer than that.
bool PumpUntilSteadyAt(int x, int y)
{
    constexpr DWORD kSteadyMs = 150;
    const DWORD start = ::GetTickCount();
    DWORD steadySince = start;
    return testing_support::PumpUntil([&] {
        if (!CursorAt(x, y))
            steadySince = ::GetTickCount();
        return ::GetTickCount() - steadySince >= kSteadyMs;
    }, 1500);
}

}  // namespace

bool MouseMoveTo(int x, int y)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        // A neighbouring point first, so that the move to the point itself always changes the
        // server's position and takes the X pointer along.
        SendMouseAt(x + 1, y, 0);
        SendMouseAt(x, y, 0);
        if (PumpUntilSteadyAt(x, y))
            return true;
    }
    return false;
}

void MouseLeftDown(int x, int y)
{
    SendMouseAt(x, y, MOUSEEVENTF_LEFTDOWN);
}

void MouseLeftUp(int x, int y)
{
    SendMouseAt(x, y, MOUSEEVENTF_LEFTUP);
}

bool ClickAt(int x, int y)
{
    if (!MouseMoveTo(x, y))
        return false;
    MouseLeftDown(x, y);
    MouseLeftUp(x, y);
    return true;
}

bool RightClickAt(int x, int y)
{
    if (!MouseMoveTo(x, y))
        return false;
    SendMouseAt(x, y, MOUSEEVENTF_RIGHTDOWN);
    SendMouseAt(x, y, MOUSEEVENTF_RIGHTUP);
    return true;
}
