// The small marks a row draws after its text, each in one function: the team's.
#pragma once

#include <windows.h>

// The colour of the team mark's badge: what tells a team item at a glance.
constexpr COLORREF kTeamMarkColour = RGB(0, 128, 128);

// The width the team mark takes in a row whose text is textHeight pixels high, its gap included.
int TeamMarkWidth(int textHeight);
// Draws the team mark, a badge reading "团" in white, from x, centred on a row of rowHeight.
void DrawTeamMark(HDC dc, int x, int rowHeight, int textHeight);
