#include "geometry/Anchor.h"

#include "geometry/MainWindowGeometry.h"
#include "tests/geometry/TestWindow.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct AnchorCase
{
    const char* name;
    RECT parent;
    RECT child;
    int left, right, top, bottom, width, height;
    RECT expected;
};

constexpr int kBig = 2'000'000'000;

// clang-format off
const AnchorCase kCases[] = {
    {"list view margins in a 400 x 300 client area", {0, 0, 400, 300}, {5, 5, 50, 50},
     11, 10, 11, 12, 0, 0, {11, 11, 390, 288}},
    {"margins count from a parent away from the origin", {-500, 200, -100, 500}, {0, 0, 1, 1},
     11, 10, 11, 12, 0, 0, {-489, 211, -110, 488}},
    {"centred: (301 - 100) / 2 truncates to 100 on both sides", {0, 0, 301, 50}, {7, 3, 107, 23},
     0, 0, -1, -1, 0, 0, {100, 3, 201, 23}},
    {"centred in a narrower parent: -5 / 2 truncates toward zero", {0, 0, 95, 40}, {0, 0, 100, 40},
     0, 0, -1, -1, 0, 0, {-2, 0, 97, 40}},
    {"centring margins of -1 keep both edges", {0, 0, 98, 40}, {7, 0, 107, 40},
     0, 0, -1, -1, 0, 0, {7, 0, 107, 40}},
    {"vertical centring uses the given height", {0, 0, 40, 300}, {0, 5, 40, 6},
     -1, -1, 0, 0, 0, 100, {0, 100, 40, 200}},
    {"left 0, right 10: the given width, 10 inside the right edge", {0, 0, 400, 300}, {5, 5, 60, 60},
     0, 10, -1, -1, 50, 0, {340, 5, 390, 60}},
    {"top 20, bottom 0: the current height below the top margin", {0, 0, 400, 300}, {5, 5, 60, 65},
     -1, -1, 20, 0, 0, 0, {5, 20, 60, 80}},
    {"a parent smaller than the margins gives negative sizes", {0, 0, 15, 20}, {0, 0, 100, 100},
     11, 10, 11, 12, 0, 0, {11, 11, 5, 8}},
    {"an empty client area: width -21, height -23", {0, 0, 0, 0}, {0, 0, 100, 100},
     11, 10, 11, 12, 0, 0, {11, 11, -10, -12}},
    // Our choice: the unanchored side is measured from the edge that stays.
    {"left -1, right 0: the right edge follows the unchanged left edge", {0, 0, 400, 300}, {30, 5, 60, 60},
     -1, 0, -1, -1, 50, 0, {30, 5, 80, 60}},
    {"top 0, bottom -1: the top edge follows the unchanged bottom edge", {0, 0, 400, 300}, {5, 100, 60, 200},
     -1, -1, 0, -1, 0, 0, {5, 100, 60, 200}},
    {"centring in a parent 4e9 wide", {-kBig, -kBig, kBig, kBig}, {-50, -70, 50, 70},
     0, 0, 0, 0, 0, 0, {-50, -70, 50, 70}},
    {"edges beyond the 32-bit range are held at its ends", {-kBig, -kBig, kBig, kBig}, {0, 0, 1, 1},
     -kBig, -kBig, 11, 12, 0, 0, {LONG_MIN, -kBig + 11, LONG_MAX, kBig - 12}},
    {"a child as wide as the whole range", {0, 0, 400, 300}, {LONG_MIN, 0, LONG_MAX, 10},
     0, 10, -1, -1, 0, 0, {LONG_MIN, 0, 390, 10}},
};
// clang-format on

TEST(AnchorRect, PlacesChildByMarginsAndSize)
{
    for (const AnchorCase& c : kCases) {
        RECT child = c.child;
        AnchorRect(c.parent, child, c.left, c.right, c.top, c.bottom, c.width, c.height);
        EXPECT_EQ(c.expected, child) << c.name;
    }
}

// A captioned parent, so that its client area does not start at its window's corner.
class AnchorWindows : public ::testing::Test
{
protected:
    static constexpr int kListId = 1000;

    TestWindow parent{WS_OVERLAPPEDWINDOW, {200, 150, 700, 550}};
    TestWindow list{WS_CHILD, {0, 0, 10, 10}, parent.Handle(), kListId};

    RECT ClientRect() const
    {
        RECT rect{};
        ::GetClientRect(parent.Handle(), &rect);
        return rect;
    }
};

TEST_F(AnchorWindows, ControlKeepsMarginsInClientCoordinates)
{
    AnchorDlgItem(
        parent.Wnd(), kListId, kListMarginLeft, kListMarginRight, kListMarginTop, kListMarginBottom, 0, 0);

    const RECT client = ClientRect();
    const RECT expected{11, 11, client.right - 10, client.bottom - 12};
    EXPECT_EQ(expected, list.RectInParent());
}

TEST_F(AnchorWindows, MissingControlOrWindowDoesNothing)
{
    const RECT before = list.RectInParent();

    AnchorDlgItem(parent.Wnd(), kListId + 1, 11, 10, 11, 12, 0, 0);
    AnchorDlgItem(nullptr, kListId, 11, 10, 11, 12, 0, 0);
    AnchorWindow(parent.Wnd(), nullptr, 11, 10, 11, 12, 0, 0);
    AnchorWindow(nullptr, list.Wnd(), 11, 10, 11, 12, 0, 0);

    EXPECT_EQ(before, list.RectInParent());
    EXPECT_EQ(0, list.PositionChanges());
}

} // namespace
