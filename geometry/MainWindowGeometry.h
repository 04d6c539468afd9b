#pragma once

#include <windows.h>

// The main dialog's fixed pixel sizes. They are meant as pixels and are not
// converted from dialog units.

// The list view's distance from each side of the dialog's client area.
constexpr int kListMarginLeft = 11;
constexpr int kListMarginRight = 10;
constexpr int kListMarginTop = 11;
constexpr int kListMarginBottom = 12;

// How close to a work-area edge the dragged dialog snaps to it.
constexpr int kSnapDistance = 20;

// The dialog keeps this width while its border is dragged, and this minimum height.
constexpr int kMainWidth = 451;
constexpr int kMainMinHeight = 354;

// The maximised dialog is this much taller than the work area.
constexpr int kMaximizedExtraHeight = 4;

// The dialog's maximised size for the given work area.
POINT MaximizedSize(const RECT& workArea);
