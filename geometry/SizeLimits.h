#pragma once

#include <windows.h>

// Size limits while a window's sizing border is dragged. Each limit is a pixel
// count; 0 means no limit and -1 the window's reference size.
struct SizeLimits
{
    int minWidth;
    int minHeight;
    int maxWidth;
    int maxHeight;
};

// Fixes the dragged side(s) of `rect` (the WM_SIZING rectangle, `edge` one of
// the WMSZ_ codes) so that it keeps within the limits, checked in the order
// of the fields, each against the rectangle as the earlier ones left it.
// Returns whether any limit applied, even one that had no dragged side to fix
// (a width limit while only the top or bottom is dragged).
bool ApplySizeLimits(UINT edge, RECT& rect, const SizeLimits& limits, SIZE reference);
