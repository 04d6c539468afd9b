#pragma once

#include "framework/ListCtrl.h"

#include <string>
#include <vector>

// The rows as a spreadsheet takes them: a line of the column captions, then
// one line per row, the cells in the order the columns are shown, separated
// by tabs, every line ended by CRLF. A cell that the spreadsheet would take
// for a formula gets a single quote before it.
std::wstring ListText(const CListCtrl& list, const std::vector<int>& rows);
