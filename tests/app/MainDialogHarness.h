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

// While it lives, calls `action` once with the About box's window as soon as
// the box is up, from inside the box's own modal loop.
class AboutBoxWatch
{
public:
    explicit AboutBoxWatch(std::function<void(HWND about)> action);
    ~AboutBoxWatch();
    AboutBoxWatch(const AboutBoxWatch&) = delete;
    AboutBoxWatch& operator=(const AboutBoxWatch&) = delete;

    bool m_bSeen = false;

private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);

    std::function<void(HWND about)> m_action;
    UINT_PTR m_timer;
};

// Clicks the About box's OK button.
void CloseAboutBox(HWND about);
