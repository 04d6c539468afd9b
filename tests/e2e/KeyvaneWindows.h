#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

// Keyvane's windows as another process on the same desktop sees them.

// The main dialog: the visible top-level window whose title starts with
// "Keyvane ::" of the given process; null if it has none.
HWND FindMainDialog(DWORD processId);

// The picture windows of the main dialog's process: visible top-level dialogs
// without a title, topmost first.
std::vector<HWND> FindPictures(HWND mainDialog);

// Writes what the tests check of the main dialog as lines of the form
// "<name> <values...>": its window rectangle, its client area in screen
// coordinates, the list's rectangle in client coordinates, the work area, the
// dialog's title, and "keyboard F A L": 1 or 0 for whether the dialog is the
// foreground window (F) and its thread's active window (A), and whether the
// list has the focus (L).
void DescribeMainDialog(HWND dialog, std::ostream& out);

// Writes what the tests check of one picture window, its lines named
// "picture<index>.<what>": window rectangle, client size, whether it has
// frame styles and extended frame styles, title length, the picture control's
// size, whether it holds an image, the size of the program's bitmap and how
// many of its pixels the screen shows at the control's place. The program is
// the one at `programPath`, the window's own.
void DescribePicture(HWND picture, int index, const std::string& programPath, std::ostream& out);
