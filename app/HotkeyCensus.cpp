#include "app/HotkeyCensus.h"

#include "app/KeyNames.h"

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
constexpr std::array<int, kColumnCount> kDisplayOrder = {
    kCtrlColumn, kAltColumn, kShiftColumn, kWinColumn, kKeyColumn, kCodeColumn};

constexpr DWORD kListExtendedStyle = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB;

constexpr int kHighestKeyCode = 255;

void AddHotkeyRow(CListCtrl& list, int keyCode, const ModifierCombo& combo)
{
    list.InsertItem(0, g_virtualKeyNames[static_cast<size_t>(keyCode)].description);

    CString code;
    code.Format("0x%02x", keyCode);
    list.SetItemText(0, kCodeColumn, code);

    const std::array<std::pair<int, HotkeyColumn>, 4> modifiers = {{
        {combo.ctrl, kCtrlColumn},
        {combo.alt, kAltColumn},
        {combo.shift, kShiftColumn},
        {combo.win, kWinColumn},
    }};
    for (const auto& [flag, column] : modifiers) {
        if (flag)
            list.SetItemText(0, column, kColumns[column].title);
    }
}

} // namespace

const std::array<ModifierCombo, 16> g_modifierCombos = {{
    // ctrl alt shift win
    {0, 0, 0, 0},
    {0, 0, 0, 1},
    {0, 0, 1, 0},
    {0, 0, 1, 1},
    {0, 1, 0, 0},
    {0, 1, 0, 1},
    {0, 1, 1, 0},
    {0, 1, 1, 1},
    {1, 0, 0, 0},
    {1, 0, 0, 1},
    {1, 0, 1, 0},
    {1, 0, 1, 1},
    {1, 1, 0, 0},
    {1, 1, 0, 1},
    {1, 1, 1, 0},
    {1, 1, 1, 1},
}};

UINT HotkeyModifiers(const ModifierCombo& combo)
{
    return (combo.ctrl ? MOD_CONTROL : 0) | (combo.alt ? MOD_ALT : 0) | (combo.shift ? MOD_SHIFT : 0)
        | (combo.win ? MOD_WIN : 0);
}

void PrepareHotkeyList(CListCtrl& list)
{
    list.SetExtendedStyle((list.GetExtendedStyle() & ~LVS_EX_CHECKBOXES) | kListExtendedStyle);
    for (int column = 0; column < kColumnCount; ++column)
        list.InsertColumn(column, kColumns[column].title, LVCFMT_LEFT, kColumns[column].width);
    list.SetColumnOrderArray(kColumnCount, kDisplayOrder.data());
}

void ProbeHotkeys(CListCtrl& list)
{
    for (int keyCode = kHighestKeyCode; keyCode >= 1; --keyCode) {
        for (const ModifierCombo& combo : g_modifierCombos) {
            if (::RegisterHotKey(nullptr, 0, HotkeyModifiers(combo), static_cast<UINT>(keyCode))) {
                // Free: give it back at once. Nothing to do if that fails.
                ::UnregisterHotKey(nullptr, 0);
            } else if (::GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) {
                AddHotkeyRow(list, keyCode, combo);
            }
            // Any other failure says nothing about who holds the combination: no row.
        }
    }
}

void NumberRows(CListCtrl& list)
{
    // The count is read afresh each step: the list notifies the dialog of
    // every change, and the row count is the list's, not ours.
    for (int row = 0; row < list.GetItemCount(); ++row)
        list.SetItemData(row, static_cast<DWORD_PTR>(row));
}
