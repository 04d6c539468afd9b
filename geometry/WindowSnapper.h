#pragma once

#include "framework/Wnd.h"

// Window behaviour of a dialog that is dragged and sized by the user: its
// edges snap to the desktop work area while it moves, it can be kept inside
// that area or above other windows, and its size can be held within limits.
// The owner calls Attach once, then SnapMoving for every WM_MOVING and
// LimitSizing for every WM_SIZING.
class CWindowSnapper
{
public:
    explicit CWindowSnapper(int snapDistance);
    virtual ~CWindowSnapper() = default;

    // Each flag switches its option over rather than on, so a second call with
    // the same flag undoes the first. Records the window's current size as
    // the reference size for LimitSizing.
    void Attach(CWnd* wnd, int distance, BOOL toggleTopMost, BOOL toggleSnap, BOOL toggleKeepInside);

    // Adjusts the WM_MOVING rectangle in place. The area is `area` if given,
    // else the whole primary screen if `fullScreen`, else the work area.
    // The first call only takes note of where the window goes.
    void SnapMoving(RECT* rect, const RECT* area, BOOL fullScreen);

    // Holds the WM_SIZING rectangle within the limits (0 = none, -1 = the
    // reference size) and moves the window there at once if any applied.
    void LimitSizing(UINT edge, RECT* rect, int minWidth, int minHeight, int maxWidth, int maxHeight);

private:
    int m_nRefWidth = 0;
    int m_nRefHeight = 0;
    CWnd* m_pWnd = nullptr;
    BOOL m_bStarted = FALSE;
    BOOL m_bSnap = FALSE;
    BOOL m_bTopMost = FALSE;
    BOOL m_bKeepInside = FALSE;
    BOOL m_bSnappedLeft = FALSE;
    BOOL m_bSnappedRight = FALSE;
    BOOL m_bSnappedTop = FALSE;
    BOOL m_bSnappedBottom = FALSE;
    int m_nSnapDistance;
    RECT m_rcFree{};
    RECT m_rcPlaced{}; // where the previous move message left the window
};
