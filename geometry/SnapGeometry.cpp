#include "geometry/SnapGeometry.h"

#include "geometry/Coord.h"

#include <cstdlib>

namespace {

struct Span
{
    LONG nearEdge; // left or top
    LONG farEdge;  // right or bottom
};

// One axis of the move; true when an edge on it was snapped or released.
bool SnapAxis(LONG& rectNear, LONG& rectFar, Span freeSpan, Span area, Coord64 size, BOOL& heldNear,
    BOOL& heldFar, const SnapOptions& options)
{
    bool changed = false;
    const auto place = [&](Coord64 nearEdge) {
        rectNear = ClampCoord(nearEdge);
        rectFar = ClampCoord(nearEdge + size);
        changed = true;
    };
    const auto edge = [&](Coord64 distance, bool beyond, BOOL& held, Coord64 snappedNear) {
        const bool snaps
            = (options.snap && std::abs(distance) <= options.distance) || (options.keepInside && beyond);
        if (snaps) {
            place(snappedNear);
            held = TRUE;
        } else if (held) {
            rectNear = freeSpan.nearEdge;
            rectFar = freeSpan.farEdge;
            changed = true;
            held = FALSE;
        }
    };
    // The far edge comes second, so it wins when both qualify.
    edge(Coord64{freeSpan.nearEdge} - area.nearEdge, freeSpan.nearEdge < area.nearEdge, heldNear,
        area.nearEdge);
    edge(Coord64{area.farEdge} - freeSpan.farEdge, freeSpan.farEdge > area.farEdge, heldFar,
        area.farEdge - size);
    return changed;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

void SnapToArea(
    RECT& rect, const RECT& current, const RECT& area, const SnapOptions& options, SnapState& state)
{
    if (!SameRect(current, state.placed)) {
        state.free = current;
        state.snappedLeft = state.snappedRight = state.snappedTop = state.snappedBottom = FALSE;
    }

    const Coord64 width = RectWidth(rect);
    const Coord64 height = RectHeight(rect);

    RECT& free = state.free;
    free.top = ClampCoord(free.top + (Coord64{rect.top} - current.top));
    free.left = ClampCoord(free.left + (Coord64{rect.left} - current.left));
    free.bottom = ClampCoord(free.top + height);
    free.right = ClampCoord(free.left + width);

    const bool vertical = SnapAxis(rect.top, rect.bottom, {free.top, free.bottom}, {area.top, area.bottom},
        height, state.snappedTop, state.snappedBottom, options);
    const bool horizontal = SnapAxis(rect.left, rect.right, {free.left, free.right}, {area.left, area.right},
        width, state.snappedLeft, state.snappedRight, options);

    // While nothing is held the free rectangle follows the window to where
    // this move puts it, which is where the next move will start from.
    if (!vertical && !horizontal)
        free = rect;
    state.placed = rect;
}
