// Sorting the hotkey list by a column's text, and the selection count in the title.
#include "app/HotkeyColumns.h"
#include "app/KeyState.h"
#include "app/KeyvaneDlg.h"
#include "framework/WinApp.h"

#include <cstdlib>
#include <utility>

namespace {

std::vector<CString> ReadColumnTexts(const CListCtrl& list, int column)
{
    std::vector<CString> texts;
    const int rows = list.GetItemCount();
    texts.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row)
        texts.push_back(list.GetItemText(row, column));
    return texts;
}

} // namespace

int CALLBACK CompareByColumnText(LPARAM first, LPARAM second, LPARAM sortKey)
{
    // The texts were read before the sort: the list may move rows while it
    // still compares, and each row's text is then read once, not per comparison.
    const int key = static_cast<int>(sortKey);
    const int direction = key / std::abs(key);
    const auto& texts = static_cast<const CKeyvaneDlg*>(AfxGetMainWnd())->m_sortTexts;
    return direction * texts[static_cast<size_t>(first)].CompareNoCase(texts[static_cast<size_t>(second)]);
}

void CKeyvaneDlg::OnColumnClick(NMHDR* header, LRESULT* result)
{
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    const bool wasAscending = std::exchange(m_bAscending, !m_bAscending);
    const int sortKey = wasAscending ? ~column : column + 1;

    m_sortTexts = ReadColumnTexts(m_list, column);
    m_list.SortItems(&CompareByColumnText, static_cast<DWORD_PTR>(static_cast<LPARAM>(sortKey)));
    m_sortTexts.clear();
    FollowSortedRows();
    m_list.SetRedraw(FALSE);
    NumberRows(m_list);
    m_list.SetRedraw(TRUE);
    *result = 0;
}

void CKeyvaneDlg::OnItemChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    CString title;
    title.Format("Keyvane :: %d Hotkeys in Use :: %d Selected", m_list.GetItemCount(),
        static_cast<int>(m_list.GetSelectedCount()));
    // A sort renumbers every row it moves and each one reports a change, so
    // most calls find the title as it should be: they leave it alone and do
    // not ask for the key state. Otherwise Alt held keeps the old title.
    CString current;
    GetWindowText(current);
    if (current.Compare(title) != 0 && !IsKeyHeld(VK_MENU))
        SetWindowText(title);
}
