#include "geometry/Anchor.h"

#include "geometry/Coord.h"

namespace {

constexpr Coord64 kUnanchored = 0;
constexpr Coord64 kKeepEdge = -1;

// One axis: the near edge is left or top, the far edge right or bottom.
void AnchorAxis(LONG parentNear, LONG parentFar, LONG& childNear, LONG& childFar, Coord64 nearMargin,
    Coord64 farMargin, Coord64 size)
{
    if (size == 0)
        size = Coord64{childFar} - childNear;

    // Centring margins that come out as 0 or -1 take those meanings below.
    if (nearMargin == kUnanchored && farMargin == kUnanchored)
        nearMargin = farMargin = (Coord64{parentFar} - parentNear - size) / 2;

    // An unanchored side follows the opposite side at the given size. Where
    // that opposite side keeps its edge (-1), it is measured from the child's
    // actual edge: reading the -1 as a margin of minus one pixel would put the
    // child at an arbitrary spot next to the parent's edge.
    if (nearMargin == kUnanchored)
        childNear = ClampCoord(farMargin == kKeepEdge ? childFar - size : parentFar - farMargin - size);
    else if (nearMargin != kKeepEdge)
        childNear = ClampCoord(parentNear + nearMargin);

    if (farMargin == kUnanchored)
        childFar = ClampCoord(nearMargin == kKeepEdge ? childNear + size : parentNear + nearMargin + size);
    else if (farMargin != kKeepEdge)
        childFar = ClampCoord(parentFar - farMargin);
}

} // namespace

void AnchorRect(
    const RECT& parent, RECT& child, int left, int right, int top, int bottom, int width, int height)
{
    AnchorAxis(parent.left, parent.right, child.left, child.right, left, right, width);
    AnchorAxis(parent.top, parent.bottom, child.top, child.bottom, top, bottom, height);
}

void AnchorWindow(CWnd* parent, CWnd* child, int left, int right, int top, int bottom, int width, int height)
{
    if (!parent || !child)
        return;

    RECT area{};
    parent->GetClientRect(&area);
    parent->ClientToScreen(&area);
    RECT rect{};
    child->GetWindowRect(&rect);

    AnchorRect(area, rect, left, right, top, bottom, width, height);

    parent->ScreenToClient(&rect);
    child->MoveWindow(rect.left, rect.top, ClampCoord(RectWidth(rect)), ClampCoord(RectHeight(rect)), TRUE);
}

void AnchorDlgItem(CWnd* parent, int id, int left, int right, int top, int bottom, int width, int height)
{
    if (!parent)
        return;
    AnchorWindow(parent, parent->GetDlgItem(id), left, right, top, bottom, width, height);
}
