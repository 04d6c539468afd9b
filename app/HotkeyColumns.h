#pragma once

#include "census/core/HotkeySource.h"
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
    // Appended the first time the user asks who holds the rows, or when every
    // source is shown.
    kHeldByColumn = kColumnCount,
    // Appended, after Held by, while every source is shown.
    kSourceColumn,
    kActionColumn
};

// Gives the list its extended styles, columns and column display order.
void PrepareHotkeyList(CListCtrl& list);

// Fills the empty list with one row per record, in their order, each row's
// item data its index; the Held by, Source and Action cells too where the
// list has those columns (Held by only where the record names its holder).
void FillHotkeyRows(CListCtrl& list, const std::vector<ProbeResult>& records);

// Sets every row's item data to the row's index, as the sort comparison expects.
void NumberRows(CListCtrl& list);

// Appends the Held by column at the right when the list has none yet.
void AddHeldByColumn(CListCtrl& list);
// Makes Held by as wide as its widest text, its caption's included.
void FitHeldByColumn(CListCtrl& list);

// Appends Source and Action at the right, after Held by.
void AddSourceColumns(CListCtrl& list);
// Removes Source and Action, and Held by unless it is to stay.
void RemoveSourceColumns(CListCtrl& list, bool keepHeldBy);
