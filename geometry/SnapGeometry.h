#pragma once

#include <windows.h>

// What the snapping of one move looks at, and what it remembers between moves.
struct SnapOptions
{
    BOOL snap;       // snap edges that come within `distance` of the area's edges
    BOOL keepInside; // never let an edge pass beyond the area's edge
    int distance;
};

struct SnapState
{
    RECT free;        // where the window would be had it followed the pointer unsnapped
    BOOL snappedLeft; // each edge held at the area's matching edge
    BOOL snappedRight;
    BOOL snappedTop;
    BOOL snappedBottom;
    RECT placed; // where the previous move message left the window
};

// Adjusts the proposed window rectangle of one move message. `current` is the
// window's rectangle before this move, so `rect` - `current` is the pointer's
// movement since the previous message. Edges are tested against the free
// rectangle, not the snapped one, so a held edge lets go only once the pointer
// has carried the window past the snap distance; it then jumps to the free
// position. Where both edges of an axis qualify, the bottom or right one wins.
// A window that is not where the previous message left it has been moved
// without the snapper (with Shift held, by a resize, by a program): the move
// then starts afresh from where the window is, with no edge held.
void SnapToArea(
    RECT& rect, const RECT& current, const RECT& area, const SnapOptions& options, SnapState& state);
