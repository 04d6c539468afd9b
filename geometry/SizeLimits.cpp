#include "geometry/SizeLimits.h"

#include "geometry/Coord.h"

namespace {

bool DragsLeft(UINT edge) { return edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT; }
bool DragsRight(UINT edge) { return edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT; }
bool DragsTop(UINT edge) { return edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT; }
bool DragsBottom(UINT edge)
{
    return edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
}

enum class Bound
{
    Minimum,
    Maximum
};

// One limit on one axis; true when it applied.
bool Limit(
    int limit, Bound bound, LONG reference, LONG& nearEdge, LONG& farEdge, bool dragsNear, bool dragsFar)
{
    if (limit == 0)
        return false;
    const Coord64 size = limit == -1 ? reference : limit;
    const Coord64 actual = Coord64{farEdge} - nearEdge;
    if (bound == Bound::Minimum ? actual >= size : actual <= size)
        return false;
    if (dragsNear)
        nearEdge = ClampCoord(farEdge - size);
    else if (dragsFar)
        farEdge = ClampCoord(nearEdge + size);
    return true;
}

} // namespace

bool ApplySizeLimits(UINT edge, RECT& rect, const SizeLimits& limits, SIZE reference)
{
    const auto width = [&](int limit, Bound bound) {
        return Limit(limit, bound, reference.cx, rect.left, rect.right, DragsLeft(edge), DragsRight(edge));
    };
    const auto height = [&](int limit, Bound bound) {
        return Limit(limit, bound, reference.cy, rect.top, rect.bottom, DragsTop(edge), DragsBottom(edge));
    };
    // Every check runs, in this order, even after an earlier one applied.
    const bool minWidth = width(limits.minWidth, Bound::Minimum);
    const bool minHeight = height(limits.minHeight, Bound::Minimum);
    const bool maxWidth = width(limits.maxWidth, Bound::Maximum);
    const bool maxHeight = height(limits.maxHeight, Bound::Maximum);
    return minWidth || minHeight || maxWidth || maxHeight;
}
