#include "geometry/MainWindowGeometry.h"

#include "geometry/Coord.h"

POINT MaximizedSize(const RECT& workArea)
{
    return {kMainWidth, ClampCoord(RectHeight(workArea) + kMaximizedExtraHeight)};
}
