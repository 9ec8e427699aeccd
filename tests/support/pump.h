// The one message pump of the tests, routed as the program's own loops are (PreTranslateMessage
// first, temporary wrappers freed when idle): no sleeps, pump until a condition holds, with a deadline.
#pragma once

#include <functional>
#include <optional>
#include <windows.h>

namespace testing_support {

// Dispatches queued messages (paints and timers due included) until the queue is empty.
void PumpPending();

// Dispatches messages until condition() holds or timeoutMs passes; returns condition().
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Takes a quit posted to this thread off the queue (so that the next test does not end at once):
// its exit code, or nothing when none is pending.
std::optional<int> TakePendingQuit();

// Pumps for the given time (for "nothing happens within" checks only).
void PumpFor(DWORD ms);

// Lets a window paint now and pumps what follows from it.
void PaintNow(HWND hWnd);

// The colour of a screen pixel, read back from the screen (what the user sees).
COLORREF ScreenPixel(int x, int y);

}  // namespace testing_support
