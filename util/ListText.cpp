#include "util/ListText.h"

#include "text/SafeText.h"

namespace {

template <class CellText> void AppendLine(std::wstring& text, const std::vector<int>& columns, CellText cell)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            text += L'\t';
        text += InertCell(cell(columns[i]));
    }
    text += L"\r\n";
}

} // namespace

std::wstring ListText(const CListCtrl& list, const std::vector<int>& rows)
{
    const std::vector<int> columns = list.GetColumnOrder();
    std::wstring text;
    AppendLine(text, columns, [&](int column) { return list.GetColumnCaption(column); });
    for (const int row : rows)
        AppendLine(text, columns, [&](int column) { return list.GetItemTextW(row, column); });
    return text;
}
