#pragma once

#include <windows.h>

// How many window-system objects the process holds, for leak checks.
// GetGuiResources answers where the system keeps the count; Wine answers 0,
// so there the counts come from elsewhere, as told below.

// GDI objects (fonts, brushes, bitmaps; an icon holds bitmaps too). Under
// Wine: the entries in use in the process's GDI handle table, which the
// process environment block points at as it does on Windows.
DWORD GdiObjectCount();

// USER objects. Under Wine: the windows of the calling thread, top-level and
// child, which is where a dialog's USER objects show.
DWORD UserObjectCount();
