#include "app/HotkeyColumns.h"

#include "census/core/CombinationText.h"
#include "text/SafeText.h"
#include "win32/WideText.h"

#include <algorithm>
#include <array>

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

constexpr char kHeldByCaption[] = "Held by";
constexpr ColumnLayout kSourceLayout{"Source", 70};
constexpr ColumnLayout kActionLayout{"Action", 200};
// What the header adds around a caption.
constexpr int kCellMargin = 12;

// Appends a column at the right of the display, wherever the user dragged the others.
void AppendColumn(CListCtrl& list, int column, LPCSTR title, int width)
{
    list.InsertColumn(column, title, LVCFMT_LEFT, width);
    std::vector<int> order = list.GetColumnOrder();
    std::erase(order, column);
    order.push_back(column);
    list.SetColumnOrderArray(static_cast<int>(order.size()), order.data());
}

void AddHotkeyRow(CListCtrl& list, int row, const ProbeResult& record, int columns)
{
    list.InsertItem(row, record.keyName.c_str(), row);
    list.SetItemText(row, kCodeColumn, CodeText(record.combo.key).c_str());

    const std::array<std::pair<unsigned, HotkeyColumn>, 4> modifiers = {{
        {kModCtrl, kCtrlColumn},
        {kModAlt, kAltColumn},
        {kModShift, kShiftColumn},
        {kModWin, kWinColumn},
    }};
    for (const auto& [modifier, column] : modifiers) {
        if (record.combo.modifiers & modifier)
            list.SetItemText(row, column, kColumns[column].title);
    }
    // A table's holder and action come from other programs' files: none may
    // rearrange what the row shows.
    if (columns > kHeldByColumn && !record.holder.empty())
        list.SetItemText(row, kHeldByColumn, ShownText(WideFromUtf8(record.holder)));
    if (columns > kSourceColumn)
        list.SetItemText(row, kSourceColumn, WideFromUtf8(record.source));
    if (columns > kActionColumn && !record.action.empty())
        list.SetItemText(row, kActionColumn, ShownText(WideFromUtf8(record.action)));
}

} // namespace

void PrepareHotkeyList(CListCtrl& list)
{
    list.SetExtendedStyle((list.GetExtendedStyle() & ~DWORD{LVS_EX_CHECKBOXES}) | kListExtendedStyle);
    for (int column = 0; const ColumnLayout& layout : kColumns)
        list.InsertColumn(column++, layout.title, LVCFMT_LEFT, layout.width);
    list.SetColumnOrderArray(kColumnCount, kDisplayOrder.data());
}

void FillHotkeyRows(CListCtrl& list, const std::vector<ProbeResult>& records)
{
    // Appended in order, each row with its item data, rather than numbered
    // in a second pass that notifies per row.
    const int columns = list.GetColumnCount();
    for (int row = 0; const ProbeResult& record : records)
        AddHotkeyRow(list, row++, record, columns);
}

void NumberRows(CListCtrl& list)
{
    // The count is read afresh each step: every change is reported to the
    // dialog while this runs.
    for (int row = 0; row < list.GetItemCount(); ++row)
        list.SetItemData(row, static_cast<DWORD_PTR>(row));
}

void AddHeldByColumn(CListCtrl& list)
{
    if (list.GetColumnCount() == kHeldByColumn)
        AppendColumn(list, kHeldByColumn, kHeldByCaption, 0);
}

void FitHeldByColumn(CListCtrl& list)
{
    list.SetColumnWidth(kHeldByColumn, LVSCW_AUTOSIZE);
    const int captionWidth
        = list.GetStringWidth(std::wstring(std::begin(kHeldByCaption), std::end(kHeldByCaption) - 1))
        + kCellMargin;
    if (list.GetColumnWidth(kHeldByColumn) < captionWidth)
        list.SetColumnWidth(kHeldByColumn, captionWidth);
}

void AddSourceColumns(CListCtrl& list)
{
    AddHeldByColumn(list);
    AppendColumn(list, kSourceColumn, kSourceLayout.title, kSourceLayout.width);
    AppendColumn(list, kActionColumn, kActionLayout.title, kActionLayout.width);
}

void RemoveSourceColumns(CListCtrl& list, bool keepHeldBy)
{
    const int last = keepHeldBy ? kHeldByColumn : kHeldByColumn - 1;
    for (int column = list.GetColumnCount() - 1; column > last; --column)
        list.DeleteColumn(column);
}
