#pragma once

#include "framework/ListCtrl.h"

#include <array>
#include <vector>

// One combination of the four modifiers; each flag is 0 or 1.
struct ModifierCombo
{
    int ctrl;
    int alt;
    int shift;
    int win;
};

// The 16 combinations in probing order: a four-bit count with Ctrl as the
// most significant flag.
extern const std::array<ModifierCombo, 16> g_modifierCombos;

// The MOD_* flags RegisterHotKey takes for the combination.
UINT HotkeyModifiers(const ModifierCombo& combo);

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

// A combination that another registration holds.
struct TakenHotkey
{
    int keyCode;
    const ModifierCombo* combo;
};

// Tries every key code from 255 down to 1 with each modifier combination, in
// that order, and returns the ones that are taken, in the order found.
// Whatever it manages to register it releases at once.
std::vector<TakenHotkey> ProbeHotkeys();

// Fills the empty list with one row per taken combination, the one found
// last at the top (lowest key code first; within a key, Ctrl+Alt+Shift+Win
// down to the key alone), each row's item data its index.
void FillHotkeyRows(CListCtrl& list, const std::vector<TakenHotkey>& found);

// Sets every row's item data to the row's index, as the sort comparison expects.
void NumberRows(CListCtrl& list);
