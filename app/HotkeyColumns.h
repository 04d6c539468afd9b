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
    kColumnCount,
    // Appended the first time the user asks who holds the rows.
    kHeldByColumn = kColumnCount
};

// A row's combination.
struct HotkeyCombination
{
    WORD key;
    UINT modifiers; // MOD_* bits

    auto operator<=>(const HotkeyCombination&) const = default;
};

// Gives the list its extended styles, columns and column display order.
void PrepareHotkeyList(CListCtrl& list);

// Fills the empty list with one row per taken combination, the one found
// last at the top (lowest key code first; within a key, Ctrl+Alt+Shift+Win
// down to the key alone), each row's item data its index.
void FillHotkeyRows(CListCtrl& list, const std::vector<TakenHotkey>& found);

// The combination a row shows.
HotkeyCombination RowCombination(const CListCtrl& list, int row);

// Sets every row's item data to the row's index, as the sort comparison expects.
void NumberRows(CListCtrl& list);
