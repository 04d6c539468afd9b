#pragma once

#include <windows.h>

#include <string>

// How a bitmap resource of a program compares with what the screen shows.
struct BitmapOnScreen
{
    SIZE size;        // the bitmap's size; 0 x 0 if it cannot be loaded
    long shownPixels; // how many of its pixels the screen shows unchanged
};

// Loads bitmap `id` from the resources of the program at `programPath` and
// compares it with the screen, its top left corner at `origin`. Another
// process's bitmap handles cannot be read, so its screen is the only witness.
BitmapOnScreen CompareWithScreen(const std::string& programPath, int id, POINT origin);
