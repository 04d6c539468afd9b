// The hotkey list's context menu and its commands: who holds the rows,
// refresh, copy and select all.
#include "app/KeyvaneDlg.h"
#include "app/WhoHoldsIt.h"
#include "census/windows/WhoQuery.h"
#include "framework/WaitCursor.h"
#include "text/SafeText.h"
#include "util/Clipboard.h"
#include "util/ListText.h"

#include <windowsx.h>

#include <algorithm>

namespace {

enum ListCommand : UINT
{
    kNoCommand, // what TrackPopupMenu answers when nothing was chosen
    kWhoHoldsIt,
    kRefresh,
    kCopy,
    kSelectAll,
    kShowAllSources
};

struct MenuItem
{
    ListCommand command;
    LPCSTR text; // null for a separator
};

constexpr MenuItem kMenu[] = {
    {kWhoHoldsIt, "&Who holds it?"},
    {kRefresh, "&Refresh\tF5"},
    {kNoCommand, nullptr},
    {kCopy, "&Copy\tCtrl+C"},
    {kSelectAll, "Select &All\tCtrl+A"},
    {kNoCommand, nullptr},
    {kShowAllSources, "Show All &Sources"},
};

// Commands that have something to do in an empty list.
bool WorksOnEmptyList(UINT command) { return command == kRefresh || command == kShowAllSources; }

// A popup menu of our own, destroyed with the object.
class PopupMenu
{
public:
    PopupMenu() : m_hMenu(::CreatePopupMenu()) { }
    ~PopupMenu()
    {
        if (m_hMenu)
            ::DestroyMenu(m_hMenu);
    }
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    HMENU Get() const { return m_hMenu; }

private:
    HMENU m_hMenu;
};

// Sets the flag for as long as the object lives.
class Raised
{
public:
    explicit Raised(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Raised() { m_flag = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& m_flag;
};

bool FromKeyboard(LPARAM lParam) { return lParam == -1; }

} // namespace

LRESULT CKeyvaneDlg::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(wParam) != m_list.m_hWnd)
        return Default();
    if (m_bAsking)
        return 0;

    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (FromKeyboard(lParam)) {
        // At the focused row, else at the list's top left corner.
        at = {};
        const std::vector<int> focused = m_list.GetRows(LVNI_FOCUSED);
        RECT row{};
        if (!focused.empty() && m_list.GetItemRect(focused.front(), &row, LVIR_LABEL))
            at = {row.left, row.bottom};
        ::ClientToScreen(m_list.m_hWnd, &at);
    } else {
        // As a file list does: a click on a row outside the selection selects it alone.
        POINT client = at;
        ::ScreenToClient(m_list.m_hWnd, &client);
        const int row = m_list.HitTest(client);
        const std::vector<int> selected = m_list.GetRows(LVNI_SELECTED);
        if (row >= 0 && std::ranges::find(selected, row) == selected.end()) {
            m_list.SetItemState(-1, 0, LVIS_SELECTED);
            m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
    }

    const PopupMenu menu;
    if (!menu.Get())
        return 0;
    const bool empty = m_list.GetItemCount() == 0;
    for (const MenuItem& item : kMenu) {
        if (!item.text) {
            ::AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT enabled = empty && !WorksOnEmptyList(item.command) ? MF_GRAYED : MF_ENABLED;
        const UINT checked = item.command == kShowAllSources && m_bAllSources ? MF_CHECKED : MF_UNCHECKED;
        ::AppendMenuA(menu.Get(), MF_STRING | enabled | checked, item.command, item.text);
    }
    ::SetMenuDefaultItem(menu.Get(), kWhoHoldsIt, FALSE);
    const auto chosen = static_cast<UINT>(::TrackPopupMenu(menu.Get(),
        TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, m_hWnd, nullptr));
    RunListCommand(chosen);
    return 0;
}

void CKeyvaneDlg::OnListKeyDown(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
    const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (key == VK_F5 && !ctrl)
        RunListCommand(kRefresh);
    else if (key == 'C' && ctrl)
        RunListCommand(kCopy);
    else if (key == 'A' && ctrl)
        RunListCommand(kSelectAll);
}

void CKeyvaneDlg::RunListCommand(UINT command)
{
    // A question's wait dispatches the list's keys too: one command at a time.
    if (m_bAsking || (!WorksOnEmptyList(command) && m_list.GetItemCount() == 0))
        return;
    switch (command) {
    case kWhoHoldsIt:
        OnWhoHoldsIt();
        break;
    case kRefresh:
        OnRefresh();
        break;
    case kCopy:
        OnCopy();
        break;
    case kSelectAll:
        OnSelectAll();
        break;
    case kShowAllSources:
        OnShowAllSources();
        break;
    default: // nothing chosen
        break;
    }
}

BOOL CKeyvaneDlg::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!m_bAsking)
        return static_cast<BOOL>(Default());
    // Over the list too: a child asks its parent first.
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    return TRUE;
}

std::vector<int> CKeyvaneDlg::RowsToActOn() const
{
    std::vector<int> rows = m_list.GetRows(LVNI_SELECTED);
    if (rows.empty()) {
        rows.resize(static_cast<size_t>(m_list.GetItemCount()));
        for (int row = 0; int& each : rows)
            each = row++;
    }
    return rows;
}

void CKeyvaneDlg::OnWhoHoldsIt()
{
    // Only registered hotkeys can be asked: a table's rows name their holder already.
    std::vector<Combination> asked;
    std::vector<int> askedRows;
    size_t others = 0;
    for (const int row : RowsToActOn()) {
        if (!IsRegistered(row)) {
            ++others;
            continue;
        }
        askedRows.push_back(row);
        asked.push_back(m_records[static_cast<size_t>(row)].combo);
    }
    if (others > 0) {
        CString text;
        text.Format("Only hotkeys that programs registered can be asked who holds them; rows of other "
                    "sources show their holder already.\n\nSelected rows of other sources: %d.%s",
            static_cast<int>(others), asked.empty() ? "" : "\nThe registered ones are asked now.");
        ::MessageBoxA(m_hWnd, text, "Keyvane", MB_OK | MB_ICONINFORMATION);
    }
    if (asked.empty())
        return;
    // What another source holds is never pressed: its holder may act on a
    // press that no hook of ours can keep from it.
    std::string tableError;
    std::vector<ProbeResult> tableRows;
    {
        const CWaitCursor wait;
        tableRows = TableRows(m_backend, tableError);
    }
    std::vector<std::optional<std::wstring>> withheld;
    std::vector<Combination> pressed;
    for (const Combination& combination : asked) {
        withheld.push_back(WithheldText(combination, tableRows, tableError));
        if (!withheld.back())
            pressed.push_back(combination);
    }
    // Every row, unasked for: the presses reach the whole desktop.
    if (m_list.GetRows(LVNI_SELECTED).empty() && !ConfirmPresses(PressesFor(pressed)))
        return;
    m_askedRows = std::move(askedRows);
    std::vector<std::wstring> answers;
    if (!pressed.empty()) {
        const Raised asking(m_bAsking);
        const CWaitCursor wait;
        answers = AskWhoHolds(pressed);
    }
    std::vector<std::wstring> texts;
    for (size_t i = 0, answer = 0; i < withheld.size(); ++i)
        texts.push_back(withheld[i] ? *withheld[i] : answers[answer++]);
    // Closing while the question ran only hid the window: it is destroyed
    // after this handler returns.
    if (::IsWindow(m_list.m_hWnd))
        ShowHeldBy(texts);
    m_askedRows.clear();
}

bool CKeyvaneDlg::ConfirmPresses(size_t presses)
{
    if (presses == 0)
        return true;
    const std::string question = "No row is selected, so Who holds it? presses every taken combination: "
        + (presses == 1 ? std::string("1 combination") : std::to_string(presses) + " combinations")
        + " on this desktop, one after another, each kept from its holder.\n\nPress them?";
    return ::MessageBoxA(m_hWnd, question.c_str(), "Keyvane", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)
        == IDYES;
}

void CKeyvaneDlg::ShowHeldBy(const std::vector<std::wstring>& texts)
{
    m_bHeldByAsked = true;
    AddHeldByColumn(m_list);
    // The rows asked about, where a sort meanwhile took them.
    for (size_t i = 0; i < m_askedRows.size() && i < texts.size(); ++i)
        // Program names come from other programs: none may rearrange what the row shows.
        m_list.SetItemText(m_askedRows[i], kHeldByColumn, ShownText(texts[i]));
    FitHeldByColumn(m_list);
}

void CKeyvaneDlg::OnRefresh()
{
    // A census that could not be taken leaves the last one standing.
    std::optional<std::vector<ProbeResult>> taken = ProbeOrWarn();
    if (!taken)
        return;
    ShowRecords(ViewRecords(std::move(*taken)));
}

void CKeyvaneDlg::OnCopy()
{
    // Nothing to tell the user when the clipboard is busy: the old contents stay.
    PutTextOnClipboard(m_hWnd, ListText(m_list, RowsToActOn()));
}

void CKeyvaneDlg::OnSelectAll() { m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); }
