#include "framework/ListCtrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

DWORD CListCtrl::SetExtendedStyle(DWORD extendedStyle)
{
    return static_cast<DWORD>(
        SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(extendedStyle)));
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width)
{
    LVCOLUMNA lvc{};
    lvc.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    lvc.fmt = format;
    lvc.cx = width;
    lvc.pszText = const_cast<LPSTR>(heading);
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc)));
}

BOOL CListCtrl::SetColumnOrderArray(int count, const int* order)
{
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
}

int CListCtrl::InsertItem(int item, LPCSTR text, LPARAM itemData)
{
    LVITEMA lvi{};
    lvi.mask = LVIF_TEXT | LVIF_PARAM;
    lvi.iItem = item;
    lvi.pszText = const_cast<LPSTR>(text);
    lvi.lParam = itemData;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text)
{
    LVITEMA lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    LVITEMA lvi{};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = item;
    lvi.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&lvi)));
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    // The list reports only how much it copied, and may leave a cut text
    // unterminated: offer one character more than the longest text accepted,
    // and grow until the text fits.
    CString text;
    for (int size = 256;; size *= 2) {
        LVITEMA lvi{};
        lvi.iSubItem = subItem;
        lvi.pszText = text.GetBuffer(size);
        lvi.cchTextMax = size;
        const auto copied = static_cast<int>(
            SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
        if (copied < size - 1) {
            text.ReleaseBuffer(copied);
            return text;
        }
    }
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
{
    return static_cast<BOOL>(
        SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}

std::vector<int> CListCtrl::GetColumnOrder() const
{
    std::vector<int> order(static_cast<size_t>(GetColumnCount()));
    SendMessage(LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
    return order;
}

int CListCtrl::GetColumnCount() const
{
    const auto header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

std::wstring CListCtrl::GetColumnCaption(int column) const
{
    // Captions are short; a longer one is cut.
    wchar_t caption[256] = L"";
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT;
    lvc.pszText = caption;
    lvc.cchTextMax = static_cast<int>(std::size(caption));
    if (!SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc)))
        return {};
    return caption;
}

int CListCtrl::GetStringWidth(const std::wstring& text) const
{
    return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::wstring& text)
{
    LVITEMW lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<LPWSTR>(text.c_str());
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}

std::wstring CListCtrl::GetItemTextW(int item, int subItem) const
{
    // As GetItemText: grow until the text fits.
    for (size_t size = 256;; size *= 2) {
        std::wstring text(size, L'\0');
        LVITEMW lvi{};
        lvi.iSubItem = subItem;
        lvi.pszText = text.data();
        lvi.cchTextMax = static_cast<int>(size);
        const auto copied = static_cast<size_t>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
        if (copied < size - 1) {
            text.resize(copied);
            return text;
        }
    }
}

BOOL CListCtrl::DeleteColumn(int column)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    LVITEMA lvItem{};
    lvItem.mask = LVIF_PARAM;
    lvItem.iItem = item;
    SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lvItem));
    return static_cast<DWORD_PTR>(lvItem.lParam);
}

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

std::vector<int> CListCtrl::GetRows(UINT flags) const
{
    std::vector<int> rows;
    for (int row = -1;;) {
        row = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(row), MAKELPARAM(flags, 0)));
        if (row < 0)
            return rows;
        rows.push_back(row);
    }
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMA lvi{};
    lvi.state = state;
    lvi.stateMask = mask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}

int CListCtrl::HitTest(POINT point) const
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

BOOL CListCtrl::GetItemRect(int item, RECT* rect, int code) const
{
    rect->left = code;
    return static_cast<BOOL>(
        SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}
