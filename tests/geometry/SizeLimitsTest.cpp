#include "geometry/SizeLimits.h"

#include "geometry/MainWindowGeometry.h"
#include "geometry/WindowSnapper.h"
#include "tests/geometry/TestWindow.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// What the main dialog asks for: its width fixed, a minimum height, no maximum height.
constexpr SizeLimits kMainLimits{kMainWidth, kMainMinHeight, kMainWidth, 0};
constexpr SIZE kReference{320, 240};

struct LimitCase
{
    const char* name;
    UINT edge;
    RECT rect;
    SizeLimits limits;
    RECT expected;
    bool applied;
};

const LimitCase kCases[] = {
    {"right edge to width 500", WMSZ_RIGHT, {100, 100, 600, 500}, kMainLimits, {100, 100, 551, 500}, true},
    {"left edge to width 300", WMSZ_LEFT, {100, 100, 400, 500}, kMainLimits, {-51, 100, 400, 500}, true},
    {"bottom edge to height 200", WMSZ_BOTTOM, {100, 100, 551, 300}, kMainLimits, {100, 100, 551, 454}, true},
    {"bottom edge to height 354", WMSZ_BOTTOM, {100, 100, 551, 454}, kMainLimits, {100, 100, 551, 454},
        false},
    {"top edge to height 200", WMSZ_TOP, {100, 100, 551, 300}, kMainLimits, {100, -54, 551, 300}, true},
    {"top edge of a window 500 wide", WMSZ_TOP, {100, 100, 600, 500}, kMainLimits, {100, 100, 600, 500},
        true},
    {"left edge of a window 200 high", WMSZ_LEFT, {100, 100, 551, 300}, kMainLimits, {100, 100, 551, 300},
        true},
    {"top-left corner to 600 x 300", WMSZ_TOPLEFT, {100, 100, 700, 400}, kMainLimits, {249, 46, 700, 400},
        true},
    {"top-right corner to 600 x 300", WMSZ_TOPRIGHT, {100, 100, 700, 400}, kMainLimits, {100, 46, 551, 400},
        true},
    {"bottom-left corner to 600 x 300", WMSZ_BOTTOMLEFT, {100, 100, 700, 400}, kMainLimits,
        {249, 100, 700, 454}, true},
    {"bottom-right corner to 600 x 300", WMSZ_BOTTOMRIGHT, {100, 100, 700, 400}, kMainLimits,
        {100, 100, 551, 454}, true},
    {"bottom-right corner to 451 x 2000", WMSZ_BOTTOMRIGHT, {0, 0, 451, 2000}, kMainLimits, {0, 0, 451, 2000},
        false},
    {"edge code 0", 0, {100, 100, 700, 400}, kMainLimits, {100, 100, 700, 400}, true},
    {"edge code 9", 9, {100, 100, 700, 400}, kMainLimits, {100, 100, 700, 400}, true},
    {"edge code 0 within the limits", 0, {0, 0, 451, 400}, kMainLimits, {0, 0, 451, 400}, false},
    {"maximum width and height", WMSZ_BOTTOMRIGHT, {0, 0, 500, 400}, {0, 0, 300, 200}, {0, 0, 300, 200},
        true},
    {"-1 limits are the reference size, too small", WMSZ_BOTTOMRIGHT, {0, 0, 100, 100}, {-1, -1, -1, -1},
        {0, 0, 320, 240}, true},
    {"-1 limits are the reference size, too large", WMSZ_TOPLEFT, {0, 0, 500, 500}, {-1, -1, -1, -1},
        {180, 260, 500, 500}, true},
    {"a later limit sees what an earlier one did", WMSZ_RIGHT, {0, 0, 100, 10}, {300, 0, 200, 0},
        {0, 0, 200, 10}, true},
    {"a rectangle as wide as the whole range", WMSZ_RIGHT, {LONG_MIN, 0, LONG_MAX, 10}, kMainLimits,
        {LONG_MIN, 0, LONG_MIN + 451, 10}, true},
};

TEST(SizeLimits, FixTheDraggedSides)
{
    for (const LimitCase& c : kCases) {
        RECT rect = c.rect;
        EXPECT_EQ(c.applied, ApplySizeLimits(c.edge, rect, c.limits, kReference)) << c.name;
        EXPECT_EQ(c.expected, rect) << c.name;
    }
}

TEST(SizeLimits, MaximizedSizeFromTheWorkArea)
{
    const POINT size = MaximizedSize({0, 0, 1280, 994});
    EXPECT_EQ(451, size.x);
    EXPECT_EQ(998, size.y);
    EXPECT_EQ(4, MaximizedSize({}).y) << "no work area";
}

TEST(SizeLimits, WindowMovesOnceToTheLimitedRectangle)
{
    TestWindow window(WS_POPUP, {100, 100, 700, 400});
    CWindowSnapper snapper(kSnapDistance);
    snapper.Attach(window.Wnd(), kSnapDistance, FALSE, TRUE, FALSE);
    window.ResetPositionChanges();

    RECT rect{100, 100, 700, 400};
    snapper.LimitSizing(WMSZ_BOTTOMRIGHT, &rect, kMainWidth, kMainMinHeight, kMainWidth, 0);
    EXPECT_EQ((RECT{100, 100, 551, 454}), rect);
    EXPECT_EQ(rect, window.WindowRect());
    EXPECT_EQ(1, window.PositionChanges());

    rect = {100, 100, 551, 800};
    snapper.LimitSizing(WMSZ_BOTTOMRIGHT, &rect, kMainWidth, kMainMinHeight, kMainWidth, 0);
    EXPECT_EQ(1, window.PositionChanges()) << "no limit applied, so no move";

    rect = {50, 50, 100, 100};
    snapper.LimitSizing(WMSZ_TOPLEFT, &rect, -1, -1, 0, 0);
    EXPECT_EQ((RECT{-500, -200, 100, 100}), window.WindowRect()) << "the size when attached";
}

} // namespace
