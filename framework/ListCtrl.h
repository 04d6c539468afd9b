#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

#include <string>
#include <vector>

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
    // Column indexes from left to right as shown.
    std::vector<int> GetColumnOrder() const;
    int GetColumnCount() const;
    BOOL DeleteColumn(int column);
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    // Wide texts: the list keeps its texts in Unicode whatever the window's
    // character set, so these carry names the ANSI code page cannot hold.
    std::wstring GetColumnCaption(int column) const;
    int GetStringWidth(const std::wstring& text) const;

    // Inserts a row with its text and item data; a null text leaves the cell empty.
    int InsertItem(int item, LPCSTR text, LPARAM itemData);
    BOOL SetItemText(int item, int subItem, LPCSTR text);
    // Sets the row's item data (lParam) alone (LVIF_PARAM).
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    CString GetItemText(int item, int subItem) const;
    BOOL SetItemText(int item, int subItem, const std::wstring& text);
    std::wstring GetItemTextW(int item, int subItem) const;
    BOOL DeleteAllItems();

    int GetItemCount() const;
    UINT GetSelectedCount() const;
    // Rows that match the LVNI_* flags (selected, focused), top to bottom.
    std::vector<int> GetRows(UINT flags) const;
    // Sets or clears the bits of `mask` in one row, or in all of them for row -1.
    BOOL SetItemState(int item, UINT state, UINT mask);
    // The row under a point of the list's client area, or -1.
    int HitTest(POINT point) const;
    BOOL GetItemRect(int item, RECT* rect, int code) const;
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
};
