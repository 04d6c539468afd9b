#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// The common controls' list view.
class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)

public:
    DWORD GetExtendedStyle() const;
    // Replaces the whole extended style (mask 0).
    DWORD SetExtendedStyle(DWORD extendedStyle);

    int InsertColumn(int column, LPCSTR heading, int format, int width);
    BOOL SetColumnOrderArray(int count, const int* order);

    // Inserts a row with its text and item data; a null text leaves the cell empty.
    int InsertItem(int item, LPCSTR text, LPARAM itemData);
    BOOL SetItemText(int item, int subItem, LPCSTR text);
    // Sets the row's item data (lParam) alone (LVIF_PARAM).
    BOOL SetItemData(int item, DWORD_PTR data);
    CString GetItemText(int item, int subItem) const;

    int GetItemCount() const;
    UINT GetSelectedCount() const;
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
};
