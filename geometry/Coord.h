#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>

// Rectangles on large multi-monitor desktops can sit anywhere in the 32-bit
// range, so sums and differences of coordinates are taken in 64 bits and only
// the value stored back into a RECT (or handed to a window call) is brought
// into range. Ordinary rectangles give exactly what 32-bit arithmetic gives.
using Coord64 = std::int64_t;

inline LONG ClampCoord(Coord64 value)
{
    return static_cast<LONG>(std::clamp<Coord64>(value, LONG_MIN, LONG_MAX));
}

inline Coord64 RectWidth(const RECT& rect) { return Coord64{rect.right} - rect.left; }

inline Coord64 RectHeight(const RECT& rect) { return Coord64{rect.bottom} - rect.top; }
