#pragma once

#include "framework/Wnd.h"

// Places a child window inside its parent's client area by margins.
//
// The six numbers are always left, right, top, bottom margin, width, height.
// A margin counts inward from the parent's edge; 0 leaves that side unanchored
// (it follows the opposite side at the given size, and 0 on both sides of an
// axis centres the child), -1 leaves that edge where it is. Any other value,
// negative ones included, is a margin. A width or height of 0 keeps the
// child's current one. A parent smaller than the margins gives the child a
// negative size; that is passed on as it is.

// Rewrites `child` in place; both rectangles are in the same coordinates.
void AnchorRect(
    const RECT& parent, RECT& child, int left, int right, int top, int bottom, int width, int height);

// Moves `child` within `parent`'s client area; does nothing if either is null.
void AnchorWindow(CWnd* parent, CWnd* child, int left, int right, int top, int bottom, int width, int height);

// The same for the parent's control `id`; does nothing if there is no such control.
void AnchorDlgItem(CWnd* parent, int id, int left, int right, int top, int bottom, int width, int height);
