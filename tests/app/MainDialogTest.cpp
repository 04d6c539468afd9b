// The main dialog's frame: system menu, icons, closing, and the minimised icon.
#include "app/MinimizedIcon.h"
#include "framework/WinApp.h"
#include "tests/app/MainDialogHarness.h"
#include "tests/support/ModalRun.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

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

struct PictureCount
{
    HWND main;
    std::vector<HWND> pictures;
};

PictureCount g_pictureCount{};

BOOL CALLBACK CollectPicture(HWND window, LPARAM)
{
    if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == g_pictureCount.main)
        g_pictureCount.pictures.push_back(window);
    return TRUE;
}

// The picture hotkey as the system posts it to the main dialog.
void PostPictureHotkey()
{
    ::PostMessageA(
        g_pictureCount.main, WM_HOTKEY, 666, MAKELPARAM(MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_WIN, 'G'));
}

// Counts the pictures open over the main dialog, then closes them and it.
void CALLBACK CountAndCloseAll(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectPicture, 0);
    for (const HWND picture : g_pictureCount.pictures)
        ::PostMessageA(picture, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(g_pictureCount.main, WM_COMMAND, IDCANCEL, 0);
}

// G goes up where the keyboard is, and is pressed again.
void CALLBACK ReleaseAndPressAgain(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::PostMessageA(::GetFocus(), WM_KEYUP, 'G', static_cast<LPARAM>(0xC0000001));
    PostPictureHotkey();
    // A timer comes only when nothing else is queued.
    ::SetTimer(nullptr, 0, 0, &CountAndCloseAll);
}

// Wine turns only the X server's key presses, not SendInput's, into hotkeys:
// the messages are posted as the system posts them, the key-up of G to the
// window with the keyboard.
TEST(MainDialog, PictureHotkeyOpensOnePicturePerPress)
{
    CKeyvaneDlg dialog;
    const CMainWndScope mainWnd(dialog);
    RunModalUntilClosed(dialog, [&] {
        g_pictureCount = {dialog.m_hWnd, {}};
        // Held down, the key repeats the hotkey without a key-up between.
        for (int repeat = 0; repeat < 6; ++repeat)
            PostPictureHotkey();
        // G goes up over the picture the first press opened.
        ::SetTimer(nullptr, 0, 0, &ReleaseAndPressAgain);
    });
    EXPECT_EQ(2u, g_pictureCount.pictures.size())
        << "pictures open after six hotkeys without a key-up, the key-up of G and one more hotkey";
}

// The picture is closed while G is held; G then goes up over the main dialog.
void CALLBACK ClosePictureWhileHeld(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    ::SetTimer(nullptr, 0, 0, &ReleaseAndPressAgain);
}

TEST(MainDialog, PictureKeyReleasedAfterThePictureClosedCountsToo)
{
    CKeyvaneDlg dialog;
    const CMainWndScope mainWnd(dialog);
    RunModalUntilClosed(dialog, [&] {
        g_pictureCount = {dialog.m_hWnd, {}};
        PostPictureHotkey();
        ::SetTimer(nullptr, 0, 0, &ClosePictureWhileHeld);
    });
    EXPECT_EQ(1u, g_pictureCount.pictures.size()) << "pictures open after a press, the picture closed, G "
                                                     "released over the main dialog and one more press";
}

TEST(MainDialog, MaximisedIs451WideAnd4TallerThanTheWorkArea)
{
    RunMainDialog([](CKeyvaneDlg& dialog, HWND) {
        RECT workArea{};
        ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0));
        MINMAXINFO info{};
        dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(451, info.ptMaxSize.x);
        EXPECT_EQ(workArea.bottom - workArea.top + 4, info.ptMaxSize.y);
    });
}

// The system commands that reached the system's own handling, which tells the
// thread's CBT hook before it acts on one.
std::vector<WPARAM> g_systemCommands;

LRESULT CALLBACK NoteSystemCommand(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SYSCOMMAND)
        g_systemCommands.push_back(wParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainDialog, AboutCommandsOpenTheAboutBoxAndDoNotReachTheSystem)
{
    // Any command whose id masks to the About entry's is the About entry's.
    RunMainDialog([](CKeyvaneDlg& dialog, HWND) {
        g_systemCommands.clear();
        const HHOOK hook = ::SetWindowsHookExA(WH_CBT, &NoteSystemCommand, nullptr, ::GetCurrentThreadId());
        ASSERT_NE(nullptr, hook);
        for (WPARAM id = IDM_ABOUTBOX; id <= IDM_ABOUTBOX + 0xF; ++id) {
            const AboutBoxWatch watch(&CloseAboutBox);
            ::SendMessageA(dialog.m_hWnd, WM_SYSCOMMAND, id, 0);
            EXPECT_TRUE(watch.m_bSeen) << "command 0x" << std::hex << id << " opened no About box";
        }
        ::UnhookWindowsHookEx(hook);
        EXPECT_EQ(std::vector<WPARAM>{}, g_systemCommands) << "commands handled by default as well";
    });
}

// What the minimised dialog's paint does, as a subclass of it sees it. The
// background given to the icon is a colour the icon does not hold, so that the
// window's pixels show where the icon went.
struct IconicPaintWatch
{
    WNDPROC dialogProc;
    int paintDepth;
    std::vector<std::string> events;
    POINT paintOrigin; // of the DC the icon's background was erased in
};

IconicPaintWatch g_iconicPaint{};
constexpr COLORREF kIconBackground = RGB(255, 0, 255);

void FillClient(HWND window, HDC dc, COLORREF colour)
{
    RECT client{};
    ::GetClientRect(window, &client);
    const HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &client, brush);
    ::DeleteObject(brush);
}

LRESULT CALLBACK WatchIconicPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    IconicPaintWatch& watch = g_iconicPaint;
    if (message == WM_ICONERASEBKGND) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        watch.events.push_back(std::string("WM_ICONERASEBKGND ")
            + (watch.paintDepth > 0 ? "inside" : "outside") + " WM_PAINT, "
            + (::WindowFromDC(dc) == window ? "with a DC of the dialog" : "with another DC"));
        ::GetDCOrgEx(dc, &watch.paintOrigin);
        FillClient(window, dc, kIconBackground);
        return TRUE;
    }
    if (message != WM_PAINT)
        return ::CallWindowProcA(watch.dialogProc, window, message, wParam, lParam);
    ++watch.paintDepth;
    const LRESULT result = ::CallWindowProcA(watch.dialogProc, window, message, wParam, lParam);
    --watch.paintDepth;
    return result;
}

// Repaints the whole dialog and says what its paint did.
std::vector<std::string> Repaint(HWND dialog)
{
    g_iconicPaint = {reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(dialog, GWLP_WNDPROC)), 0, {}, {}};
    ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchIconicPaint));
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_iconicPaint.dialogProc));
    return g_iconicPaint.events;
}

// A minimised window's client area is empty, and nothing of its paint would
// show: the dialog is only marked minimised, and keeps its size. The list,
// which would cover the icon, is hidden.
TEST(MainDialog, MinimisedItErasesAsAnIconAndDrawsTheProgramIconCentred)
{
    RunMainDialog([](CKeyvaneDlg& dialog, HWND list) {
        const HWND window = dialog.m_hWnd;
        ::ShowWindow(list, SW_HIDE);
        EXPECT_EQ(std::vector<std::string>{}, Repaint(window)) << "painted while not minimised";

        const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
        ::SetWindowLongPtrA(window, GWL_STYLE, style | WS_MINIMIZE);
        ASSERT_TRUE(::IsIconic(window));
        EXPECT_EQ(std::vector<std::string>{"WM_ICONERASEBKGND inside WM_PAINT, with a DC of the dialog"},
            Repaint(window));
        ::SetWindowLongPtrA(window, GWL_STYLE, style);

        // The icon and a margin around it, drawn as the dialog should have
        // drawn it, against the pixels the paint left in the window. Wine puts
        // the origin of a minimised window's DCs at the window's corner, not
        // the client area's: pixels are read back relative to the paint DC's.
        RECT client{};
        ::GetClientRect(window, &client);
        const SIZE icon{::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)};
        const POINT origin = CenteredIconOrigin(client, icon);
        constexpr int kMargin = 4;
        const HDC windowDC = ::GetDC(window);
        const HDC expectedDC = ::CreateCompatibleDC(windowDC);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(windowDC, client.right, client.bottom);
        const HGDIOBJ previous = ::SelectObject(expectedDC, bitmap);
        FillClient(window, expectedDC, kIconBackground);
        ::DrawIcon(expectedDC, origin.x, origin.y,
            ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)));
        POINT windowOrigin{};
        ::GetDCOrgEx(windowDC, &windowOrigin);
        const POINT shift{
            g_iconicPaint.paintOrigin.x - windowOrigin.x, g_iconicPaint.paintOrigin.y - windowOrigin.y};
        int wrong = 0;
        for (int y = origin.y - kMargin; y < origin.y + icon.cy + kMargin; ++y)
            for (int x = origin.x - kMargin; x < origin.x + icon.cx + kMargin; ++x)
                wrong += ::GetPixel(expectedDC, x, y) != ::GetPixel(windowDC, x + shift.x, y + shift.y);
        EXPECT_EQ(0, wrong) << "pixels unlike the program icon at (" << origin.x << ", " << origin.y << ")";
        ::SelectObject(expectedDC, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(expectedDC);
        ::ReleaseDC(window, windowDC);
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
