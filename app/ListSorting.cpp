// Sorting the hotkey list by a column's text, and the selection count in the title.
#include "app/HotkeyCensus.h"
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
    NumberRows(m_list);
    *result = 0;
}

void CKeyvaneDlg::OnItemChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    // Alt held keeps the title as it is.
    if (IsKeyHeld(VK_MENU))
        return;
    CString title;
    title.Format("Keyvane :: %d Hotkeys in Use :: %d Selected", m_list.GetItemCount(),
        static_cast<int>(m_list.GetSelectedCount()));
    SetWindowText(title);
}
