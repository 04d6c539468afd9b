#include "tests/app/MainDialogHarness.h"

#include "framework/WinApp.h"
#include "tests/support/ModalRun.h"

#include <commctrl.h>

#include <utility>

std::vector<ListRow> ReadRows(HWND list)
{
    std::vector<ListRow> rows;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        ListRow listRow{};
        for (int column = 0; column < 6; ++column) {
            char text[256] = {};
            ListView_GetItemText(list, row, column, text, sizeof text);
            listRow.cells[static_cast<size_t>(column)] = text;
        }
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ListView_GetItem(list, &item);
        listRow.itemData = item.lParam;
        rows.push_back(listRow);
    }
    return rows;
}

std::vector<std::string> ReadColumn(HWND list, int column)
{
    std::vector<std::string> texts;
    for (const ListRow& row : ReadRows(list))
        texts.push_back(row.cells[static_cast<size_t>(column)]);
    return texts;
}

std::string WindowTitle(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

void RunMainDialog(const std::function<void(CKeyvaneDlg& dialog, HWND list)>& whileOpen)
{
    CKeyvaneDlg dialog;
    const CMainWndScope mainWnd(dialog);
    RunModalWith(dialog, [&] { whileOpen(dialog, ::GetDlgItem(dialog.m_hWnd, IDC_HOTKEY_LIST)); });
}

void ClickColumnHeader(HWND list, int column)
{
    const HWND header = ListView_GetHeader(list);
    RECT item{};
    Header_GetItemRect(header, column, &item);
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(header, WM_LBUTTONUP, 0, at);
}

namespace {

constexpr UINT kAboutBoxPollMilliseconds = 10;
AboutBoxWatch* g_aboutBoxWatch = nullptr;

} // namespace

AboutBoxWatch::AboutBoxWatch(std::function<void(HWND about)> action)
    : m_action(std::move(action)), m_timer(::SetTimer(nullptr, 0, kAboutBoxPollMilliseconds, &Poll))
{
    g_aboutBoxWatch = this;
}

AboutBoxWatch::~AboutBoxWatch()
{
    ::KillTimer(nullptr, m_timer);
    g_aboutBoxWatch = nullptr;
}

void CALLBACK AboutBoxWatch::Poll(HWND, UINT, UINT_PTR, DWORD)
{
    AboutBoxWatch* watch = g_aboutBoxWatch;
    const HWND about = ::FindWindowA("#32770", " About Keyvane");
    if (!watch || watch->m_bSeen || !about || !::IsWindowVisible(about))
        return;
    watch->m_bSeen = true;
    ::KillTimer(nullptr, watch->m_timer);
    watch->m_action(about);
}

void CloseAboutBox(HWND about) { ::PostMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }
