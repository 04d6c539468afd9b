#pragma once

#include "app/KeyvaneDlg.h"
#include "res/resource.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// One row of the hotkey list as the user sees it, cells by column index.
struct ListRow
{
    std::array<std::string, 6> cells;
    LPARAM itemData;
};

std::vector<ListRow> ReadRows(HWND list);
std::vector<std::string> ReadColumn(HWND list, int column);
std::string WindowTitle(HWND window);

// Runs the real main dialog, calling `whileOpen` once it is up, then closes it.
void RunMainDialog(const std::function<void(CKeyvaneDlg& dialog, HWND list)>& whileOpen);

// Clicks a column's header button the way the mouse does: button down and up
// on the header control, which tells the list, which tells the dialog.
void ClickColumnHeader(HWND list, int column);
