// The main dialog's frame: system menu, icons, closing, and the minimised icon.
#include "app/MinimizedIcon.h"
#include "framework/WinApp.h"
#include "tests/app/MainDialogHarness.h"
#include "tests/support/ModalRun.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::string MenuText(HMENU menu, UINT position)
{
    char text[128] = {};
    ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(MainDialog, SystemMenuBeginsWithAboutAndASeparator)
{
    RunMainDialog([](CKeyvaneDlg& dialog, HWND) {
        const HMENU menu = ::GetSystemMenu(dialog.m_hWnd, FALSE);
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ("&About Keyvane...", MenuText(menu, 0));
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(menu, 0));

        MENUITEMINFOA separator{};
        separator.cbSize = sizeof separator;
        separator.fMask = MIIM_FTYPE;
        ASSERT_TRUE(::GetMenuItemInfoA(menu, 1, TRUE, &separator));
        EXPECT_TRUE(separator.fType & MFT_SEPARATOR) << "item 1 has type " << separator.fType;

        // The system's own entries follow, Close among them.
        EXPECT_NE(static_cast<UINT>(-1), ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND));
    });
}

TEST(MainDialog, UsesTheProgramIconBothSizes)
{
    const HICON programIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, programIcon);
    RunMainDialog([&](CKeyvaneDlg& dialog, HWND) {
        EXPECT_EQ(
            reinterpret_cast<LRESULT>(programIcon), ::SendMessageA(dialog.m_hWnd, WM_GETICON, ICON_BIG, 0));
        EXPECT_EQ(
            reinterpret_cast<LRESULT>(programIcon), ::SendMessageA(dialog.m_hWnd, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(
            reinterpret_cast<LRESULT>(programIcon), ::SendMessageA(dialog.m_hWnd, WM_QUERYDRAGICON, 0, 0));
    });
}

TEST(MainDialog, EnterEscAndTheCloseBoxEndIt)
{
    struct Case
    {
        const char* what;
        std::function<void(HWND dialog, HWND list)> close;
        INT_PTR result;
    };
    const Case cases[] = {
        {"Enter in the list", [](HWND, HWND list) { ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
        {"Esc in the list", [](HWND, HWND list) { ::PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0); },
            IDCANCEL},
        {"the close box", [](HWND dialog, HWND) { ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
            IDCANCEL},
    };
    for (const Case& c : cases) {
        CKeyvaneDlg dialog;
        const CMainWndScope mainWnd(dialog);
        const INT_PTR result = RunModalUntilClosed(
            dialog, [&] { c.close(dialog.m_hWnd, ::GetDlgItem(dialog.m_hWnd, IDC_HOTKEY_LIST)); });
        EXPECT_EQ(c.result, result) << c.what;
    }
}

TEST(MainDialog, IsNoLongerTheMainWindowAfterAHandlerThrew)
{
    EXPECT_THROW(RunMainDialog([](CKeyvaneDlg&, HWND) { throw std::runtime_error("from a handler"); }),
        std::runtime_error);
    EXPECT_EQ(nullptr, AfxGetMainWnd()) << "the main-window pointer still names the destroyed dialog";
}

TEST(MainDialog, AboutCommandsDoNotReachTheSystem)
{
    // Any command whose id masks to the About entry's is the About entry's; a
    // system command handled by default would, for SC_CLOSE, close the dialog.
    RunMainDialog([](CKeyvaneDlg& dialog, HWND) {
        for (WPARAM id = IDM_ABOUTBOX; id <= IDM_ABOUTBOX + 0xF; ++id)
            ::SendMessageA(dialog.m_hWnd, WM_SYSCOMMAND, id, 0);
        EXPECT_TRUE(::IsWindowVisible(dialog.m_hWnd));
    });
}

TEST(MinimizedIcon, CentredWithTruncatingDivision)
{
    const SIZE icon{32, 32};
    const auto origin = [&](int width, int height) {
        const POINT p = CenteredIconOrigin(RECT{10, 20, 10 + width, 20 + height}, icon);
        return std::make_pair(static_cast<int>(p.x), static_cast<int>(p.y));
    };
    EXPECT_EQ(std::make_pair(2, 2), origin(36, 36));
    EXPECT_EQ(std::make_pair(1, 0), origin(33, 31)) << "odd pixels go right and down";
    EXPECT_EQ(std::make_pair(-1, -1), origin(28, 29)) << "-3/2 and -2/2 truncate toward zero";
}

} // namespace
