#include "app/HotkeyColumns.h"

#include "hotkeys/KeyNames.h"

#include <cstdlib>

namespace {

struct ColumnLayout
{
    LPCSTR title;
    int width;
};

constexpr std::array<ColumnLayout, kColumnCount> kColumns = {{
    {"Key", 150},
    {"Code", 50},
    {"Ctrl", 50},
    {"Alt", 50},
    {"Shift", 50},
    {"Win", 50},
}};

// Modifiers first, then the key and its code.
constexpr std::array<int, kColumnCount> kDisplayOrder
    = {kCtrlColumn, kAltColumn, kShiftColumn, kWinColumn, kKeyColumn, kCodeColumn};

constexpr DWORD kListExtendedStyle
    = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB;

void AddHotkeyRow(CListCtrl& list, int row, int keyCode, const ModifierCombo& combo)
{
    list.InsertItem(row, g_virtualKeyNames[static_cast<size_t>(keyCode)].description, row);

    CString code;
    code.Format("0x%02x", keyCode);
    list.SetItemText(row, kCodeColumn, code);

    const std::array<std::pair<int, HotkeyColumn>, 4> modifiers = {{
        {combo.ctrl, kCtrlColumn},
        {combo.alt, kAltColumn},
        {combo.shift, kShiftColumn},
        {combo.win, kWinColumn},
    }};
    for (const auto& [flag, column] : modifiers) {
        if (flag)
            list.SetItemText(row, column, kColumns[column].title);
    }
}

} // namespace

void PrepareHotkeyList(CListCtrl& list)
{
    list.SetExtendedStyle((list.GetExtendedStyle() & ~DWORD{LVS_EX_CHECKBOXES}) | kListExtendedStyle);
    for (int column = 0; const ColumnLayout& layout : kColumns)
        list.InsertColumn(column++, layout.title, LVCFMT_LEFT, layout.width);
    list.SetColumnOrderArray(kColumnCount, kDisplayOrder.data());
}

void FillHotkeyRows(CListCtrl& list, const std::vector<TakenHotkey>& found)
{
    // Appending in reverse gives the same list as putting each find on top,
    // without moving the rows below on every insertion, and each row gets its
    // item data with it instead of in a second pass that notifies per row.
    int row = 0;
    for (auto taken = found.rbegin(); taken != found.rend(); ++taken)
        AddHotkeyRow(list, row++, taken->keyCode, *taken->combo);
}

HotkeyCombination RowCombination(const CListCtrl& list, int row)
{
    constexpr std::array<std::pair<HotkeyColumn, UINT>, 4> modifiers = {{
        {kCtrlColumn, MOD_CONTROL},
        {kAltColumn, MOD_ALT},
        {kShiftColumn, MOD_SHIFT},
        {kWinColumn, MOD_WIN},
    }};
    HotkeyCombination combination{
        static_cast<WORD>(std::strtoul(list.GetItemText(row, kCodeColumn), nullptr, 16)), 0};
    for (const auto& [column, modifier] : modifiers) {
        if (!list.GetItemText(row, column).IsEmpty())
            combination.modifiers |= modifier;
    }
    return combination;
}

void NumberRows(CListCtrl& list)
{
    // The count is read afresh each step: every change is reported to the
    // dialog while this runs.
    for (int row = 0; row < list.GetItemCount(); ++row)
        list.SetItemData(row, static_cast<DWORD_PTR>(row));
}
