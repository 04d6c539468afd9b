#include "geometry/WindowSnapper.h"

#include "geometry/MainWindowGeometry.h"
#include "tests/geometry/TestWindow.h"
#include "tests/support/KeyInput.h"

#include <gtest/gtest.h>

namespace {

constexpr RECT kWorkArea{0, 0, 1024, 738};
constexpr RECT kStart{100, 100, 400, 300};

struct Toggles
{
    BOOL topMost = FALSE;
    BOOL snap = TRUE;
    BOOL keepInside = FALSE;
};

// Drags a real (hidden) window against a fixed work area the way the system's
// move loop does: each WM_MOVING proposes the window's rectangle shifted by
// the pointer's movement, and the window then goes where the snapper put it.
class DraggedWindow
{
public:
    explicit DraggedWindow(const RECT& rect = kStart, Toggles toggles = {}, const RECT& workArea = kWorkArea)
        : window(WS_POPUP, rect), area(workArea)
    {
        Attach(toggles);
    }

    void Attach(Toggles toggles)
    {
        snapper.Attach(window.Wnd(), kSnapDistance, toggles.topMost, toggles.snap, toggles.keepInside);
    }

    RECT Move(int dx, int dy)
    {
        RECT rect = window.WindowRect();
        ::OffsetRect(&rect, dx, dy);
        snapper.SnapMoving(&rect, &area, FALSE);
        window.MoveTo(rect);
        return rect;
    }

    // A move the snapper does not see, as with Shift held.
    void MoveUnseen(int dx, int dy)
    {
        RECT rect = window.WindowRect();
        ::OffsetRect(&rect, dx, dy);
        window.MoveTo(rect);
    }

    // The first message of a drag, before the pointer has gone anywhere.
    void Grab() { Move(0, 0); }

    bool TopMost() const { return ::GetWindowLongA(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST; }

private:
    TestWindow window;
    RECT area;
    CWindowSnapper snapper{kSnapDistance};
};

TEST(Drag, FirstMessageChangesNothingButIsWhereTheNextStarts)
{
    DraggedWindow drag;
    EXPECT_EQ((RECT{10, 10, 310, 210}), drag.Move(-90, -90));
    EXPECT_EQ((RECT{0, 0, 300, 200}), drag.Move(0, 0)) << "judged at the free top left 10, 10";
}

TEST(Drag, EdgesSnapWithinTheDistanceInclusive)
{
    struct Case
    {
        const char* name;
        int dx, dy;
        RECT expected;
    };
    const Case cases[] = {
        {"top at 15", 0, -85, {100, 0, 400, 200}},
        {"top at 20", 0, -80, {100, 0, 400, 200}},
        {"top at 21", 0, -79, {100, 21, 400, 221}},
        {"top at -20", 0, -120, {100, 0, 400, 200}},
        {"top at -21", 0, -121, {100, -21, 400, 179}},
        {"left at 20", -80, 0, {0, 100, 300, 300}},
        {"bottom 20 above the area's", 0, 418, {100, 538, 400, 738}},
        {"right 21 inside the area's", 603, 0, {703, 100, 1003, 300}},
        {"right 20 inside the area's", 604, 0, {724, 100, 1024, 300}},
        {"top and left at once", -92, -85, {0, 0, 300, 200}},
    };
    for (const Case& c : cases) {
        DraggedWindow drag;
        drag.Grab();
        EXPECT_EQ(c.expected, drag.Move(c.dx, c.dy)) << c.name;
    }
}

TEST(Drag, HeldEdgeLetsGoPastTheDistance)
{
    DraggedWindow drag;
    drag.Grab();
    EXPECT_EQ((RECT{100, 0, 400, 200}), drag.Move(0, -90)) << "snaps with the free top at 10";
    EXPECT_EQ((RECT{105, 0, 405, 200}), drag.Move(5, 10))
        << "held with the free top at 20; the other axis follows";
    EXPECT_EQ((RECT{105, 21, 405, 221}), drag.Move(0, 1)) << "the free top at 21: back to the free position";
}

// An edge is judged where the pointer has just taken the window, not where the
// window was one message earlier.
TEST(Drag, BigJumpSnapsWhereItLands)
{
    DraggedWindow drag;
    drag.Grab();
    EXPECT_EQ((RECT{100, 50, 400, 250}), drag.Move(0, -50));
    EXPECT_EQ((RECT{100, 0, 400, 200}), drag.Move(0, -35)) << "the free top at 15";
}

TEST(Drag, BottomWinsWhenBothEdgesQualify)
{
    // Area and window fit on the smallest display the tests run on.
    DraggedWindow drag({100, 40, 400, 432}, {}, {0, 0, 600, 400});
    drag.Grab();
    EXPECT_EQ((RECT{100, 8, 400, 400}), drag.Move(0, -38)) << "top 2 and bottom 6 from the area's edges";
}

TEST(Drag, CtrlAndShiftMoveFreely)
{
    DraggedWindow drag;
    drag.Grab();
    {
        HeldKey ctrl(VK_CONTROL);
        HeldKey shift(VK_SHIFT);
        EXPECT_EQ((RECT{100, 15, 400, 215}), drag.Move(0, -85));
    }
    EXPECT_EQ((RECT{100, 0, 400, 200}), drag.Move(0, 0)) << "judged where the free move left the window";
}

TEST(Drag, WindowMovedUnseenStartsAfresh)
{
    DraggedWindow drag;
    drag.Grab();
    EXPECT_EQ((RECT{100, 0, 400, 200}), drag.Move(0, -88)) << "held with the free top at 12";
    drag.MoveUnseen(0, 300);
    EXPECT_EQ((RECT{100, 310, 400, 510}), drag.Move(0, 10)) << "follows the pointer from where it was put";
    EXPECT_EQ((RECT{100, 0, 400, 200}), drag.Move(0, -295)) << "and snaps again from there";
}

TEST(Drag, KeptInsideEdgesPastTheAreaAreHeldAndNoneIsPulled)
{
    DraggedWindow drag(kStart, {.snap = FALSE, .keepInside = TRUE});
    drag.Grab();
    EXPECT_EQ((RECT{0, 5, 300, 205}), drag.Move(-110, -95)) << "left held at the edge, top left 5 inside";
    EXPECT_EQ((RECT{0, 5, 300, 205}), drag.Move(-10, 0)) << "still held further out";
    EXPECT_EQ((RECT{5, 5, 305, 205}), drag.Move(25, 0)) << "let go once the free left edge is inside";
}

TEST(Drag, AttachTogglesOptionsRatherThanSettingThem)
{
    const Toggles all{TRUE, TRUE, TRUE};
    DraggedWindow drag(kStart, all);
    EXPECT_TRUE(drag.TopMost()) << "after one toggle";
    drag.Attach(all);
    EXPECT_FALSE(drag.TopMost()) << "after two toggles";

    drag.Grab();
    EXPECT_EQ((RECT{100, 15, 400, 215}), drag.Move(0, -85)) << "snapping is off again";
    EXPECT_EQ((RECT{-10, 15, 290, 215}), drag.Move(-110, 0)) << "keeping inside is off again";

    drag.Attach({.snap = TRUE});
    EXPECT_EQ((RECT{0, 0, 300, 200}), drag.Move(0, 0))
        << "snapping on: judged where the last move left the window";
}

} // namespace
