#include "geometry/WindowSnapper.h"

#include "geometry/Coord.h"
#include "geometry/SizeLimits.h"
#include "geometry/SnapGeometry.h"

namespace {

// Read afresh for every move: the work area changes with the taskbar.
// A failed call is not checked for; it leaves the empty rectangle.
RECT WorkArea()
{
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

RECT PrimaryScreen() { return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

// Ctrl and Shift together let the window follow the pointer freely. Any bit
// counts, so a key pressed since the last query does too.
bool FreeMoveKeysDown() { return ::GetAsyncKeyState(VK_CONTROL) != 0 && ::GetAsyncKeyState(VK_SHIFT) != 0; }

} // namespace

CWindowSnapper::CWindowSnapper(int snapDistance) : m_nSnapDistance(snapDistance) { }

void CWindowSnapper::Attach(
    CWnd* wnd, int distance, BOOL toggleTopMost, BOOL toggleSnap, BOOL toggleKeepInside)
{
    RECT rect{};
    wnd->GetWindowRect(&rect);
    m_nRefWidth = ClampCoord(RectWidth(rect));
    m_nRefHeight = ClampCoord(RectHeight(rect));
    m_pWnd = wnd;
    m_nSnapDistance = distance;

    if (toggleSnap)
        m_bSnap = !m_bSnap;
    if (toggleTopMost) {
        m_bTopMost = !m_bTopMost;
        // Only the z-order changes. A failure is not checked for: the option
        // then merely fails to show.
        wnd->SetWindowPos(
            m_bTopMost ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    }
    if (toggleKeepInside)
        m_bKeepInside = !m_bKeepInside;
}

// Wherever the free rectangle restarts, it restarts at the rectangle this
// message leaves, not at the window's current one. The move loop proposes each
// rectangle as the previous one (as we left it) shifted by the pointer's
// movement since then, so the window is about to be where the message leaves
// it; its current rectangle is where it was one message ago. Restarting there
// would make the free rectangle trail the pointer by one message, and a quick
// drag that ends near an edge would be judged where it came from.
void CWindowSnapper::SnapMoving(RECT* rect, const RECT* area, BOOL fullScreen)
{
    if (!m_bStarted) {
        m_rcFree = m_rcPlaced = *rect;
        m_bSnappedLeft = m_bSnappedRight = m_bSnappedTop = m_bSnappedBottom = FALSE;
        m_bStarted = TRUE;
        return;
    }
    // The options are looked at before the keys are queried: a query resets
    // the keys' pressed-since-last-query bit.
    if ((!m_bSnap && !m_bKeepInside) || FreeMoveKeysDown()) {
        m_rcFree = m_rcPlaced = *rect;
        return;
    }

    RECT current{};
    m_pWnd->GetWindowRect(&current);
    const RECT snapArea = area ? *area : fullScreen ? PrimaryScreen() : WorkArea();

    SnapState state{m_rcFree, m_bSnappedLeft, m_bSnappedRight, m_bSnappedTop, m_bSnappedBottom, m_rcPlaced};
    SnapToArea(*rect, current, snapArea, {m_bSnap, m_bKeepInside, m_nSnapDistance}, state);
    m_rcFree = state.free;
    m_rcPlaced = state.placed;
    m_bSnappedLeft = state.snappedLeft;
    m_bSnappedRight = state.snappedRight;
    m_bSnappedTop = state.snappedTop;
    m_bSnappedBottom = state.snappedBottom;
}

void CWindowSnapper::LimitSizing(
    UINT edge, RECT* rect, int minWidth, int minHeight, int maxWidth, int maxHeight)
{
    if (!ApplySizeLimits(
            edge, *rect, {minWidth, minHeight, maxWidth, maxHeight}, {m_nRefWidth, m_nRefHeight}))
        return;
    m_pWnd->MoveWindow(
        rect->left, rect->top, ClampCoord(RectWidth(*rect)), ClampCoord(RectHeight(*rect)), TRUE);
}
