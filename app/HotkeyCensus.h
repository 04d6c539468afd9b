#pragma once

#include "framework/ListCtrl.h"

#include <array>

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
enum HotkeyColumn { kKeyColumn, kCodeColumn, kCtrlColumn, kAltColumn, kShiftColumn, kWinColumn, kColumnCount };

// Gives the list its extended styles, columns and column display order.
void PrepareHotkeyList(CListCtrl& list);

// Tries every key code from 255 down to 1 with each modifier combination and
// adds a row at the top of the list for every one that another registration
// holds. Whatever it manages to register it releases at once.
void ProbeHotkeys(CListCtrl& list);

// Sets every row's item data to the row's index, as the sort comparison expects.
void NumberRows(CListCtrl& list);
