#pragma once

#include "hotkeys/HotkeyProbe.h"
#include "framework/ListCtrl.h"

#include <vector>

// Columns of the hotkey list, by index.
enum HotkeyColumn
{
    kKeyColumn,
    kCodeColumn,
    kCtrlColumn,
    kAltColumn,
    kShiftColumn,
    kWinColumn,
    kColumnCount
};

// Gives the list its extended styles, columns and column display order.
void PrepareHotkeyList(CListCtrl& list);

// Fills the empty list with one row per taken combination, the one found
// last at the top (lowest key code first; within a key, Ctrl+Alt+Shift+Win
// down to the key alone), each row's item data its index.
void FillHotkeyRows(CListCtrl& list, const std::vector<TakenHotkey>& found);

// Sets every row's item data to the row's index, as the sort comparison expects.
void NumberRows(CListCtrl& list);
