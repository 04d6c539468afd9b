// The About box end to end, opened from the main dialog: what it shows, its
// tooltips, Enter on its links, and what opening and closing it costs.
#include "framework/WinApp.h"
#include "tests/app/MainDialogHarness.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/ModalRun.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string WindowText(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// The pixel size of an icon; {0, 0} once it has been destroyed.
SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return {0, 0};
    BITMAP colour{};
    ::GetObjectA(info.hbmColor, sizeof colour, &colour);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return {colour.bmWidth, colour.bmHeight};
}

HICON ShownIcon(HWND about, int id)
{
    return reinterpret_cast<HICON>(::SendDlgItemMessageA(about, id, STM_GETICON, 0, 0));
}

struct ToolTipSearch
{
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchToolTip(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<ToolTipSearch*>(lParam);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) == TOOLTIPS_CLASSA && ::GetWindow(window, GW_OWNER) == search->owner)
        search->found = window;
    return search->found ? FALSE : TRUE;
}

HWND FindToolTipOf(HWND owner)
{
    ToolTipSearch search{owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchToolTip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Tool texts by the window each tool stands for; rectangle tools are not expected.
std::map<HWND, std::string> WindowTools(HWND toolTip)
{
    std::map<HWND, std::string> tools;
    const auto count = static_cast<int>(::SendMessageA(toolTip, TTM_GETTOOLCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[256] = {};
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.lpszText = text;
        ::SendMessageA(toolTip, TTM_ENUMTOOLSA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        EXPECT_TRUE(info.uFlags & TTF_IDISHWND) << "tool " << index << " \"" << text << "\" is a rectangle";
        tools[reinterpret_cast<HWND>(info.uId)] = text;
    }
    return tools;
}

void ExpectVersionIconsAndToolTips(HWND about)
{
    EXPECT_EQ(" About Keyvane", WindowText(about));
    EXPECT_EQ("1.1.0.217", WindowText(::GetDlgItem(about, IDC_VERSION)));

    for (const auto& [id, size] : {std::pair{IDC_MAKER_ICON, 64}, std::pair{IDC_APP_ICON, 48}}) {
        const SIZE icon = IconSize(ShownIcon(about, id));
        EXPECT_EQ(size, icon.cx) << "icon of control " << id;
        EXPECT_EQ(size, icon.cy) << "icon of control " << id;
        RECT control{};
        ::GetClientRect(::GetDlgItem(about, id), &control);
        EXPECT_EQ(size, control.right) << "control " << id << " takes its icon's size";
    }
    for (const int link : {IDC_WEBSITE, IDC_EMAIL}) {
        const LONG_PTR style = ::GetWindowLongPtrA(::GetDlgItem(about, link), GWL_STYLE);
        EXPECT_EQ(BS_OWNERDRAW, style & BS_TYPEMASK) << "link " << link << " paints itself";
    }

    const HWND toolTip = FindToolTipOf(about);
    ASSERT_TRUE(toolTip) << "no tooltip control owned by the box";
    EXPECT_EQ(1000, ::SendMessageA(toolTip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    EXPECT_EQ(10000, ::SendMessageA(toolTip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
    EXPECT_EQ(500, ::SendMessageA(toolTip, TTM_GETDELAYTIME, TTDT_RESHOW, 0));
    EXPECT_EQ(250, ::SendMessageA(toolTip, TTM_GETMAXTIPWIDTH, 0, 0));

    // Eight controls of the table and the box itself.
    const std::map<int, std::string> expected{
        {IDC_MAKER_ICON, "Tavrole inc."},
        {IDC_APP_ICON, "Keyvane shows what global hotkeys are currently regestiered on the system."},
        {IDC_APP_NAME, "Keyvane"},
        {IDC_VERSION, "Current version"},
        {IDC_COPYRIGHT, "\x85"},
        {IDC_WEBSITE, "Visit the website for Keyvane."},
        {IDC_EMAIL, "Send an email about Keyvane."},
        {IDOK, ":-|"},
    };
    EXPECT_EQ(9, ::SendMessageA(toolTip, TTM_GETTOOLCOUNT, 0, 0));
    std::map<HWND, std::string> tools = WindowTools(toolTip);
    for (const auto& [id, text] : expected)
        EXPECT_EQ(text, tools[::GetDlgItem(about, id)]) << "tip of control " << id;
    EXPECT_EQ("About Box.", tools[about]);
}

std::function<void()> g_afterQueued;

void CALLBACK RunAfterQueued(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    std::exchange(g_afterQueued, nullptr)();
}

// Calls `then` once the messages queued so far have been handled.
void AfterQueuedMessages(std::function<void()> then)
{
    g_afterQueued = std::move(then);
    ::SetTimer(nullptr, 0, 0, &RunAfterQueued);
}

void TypeKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> inputs;
    for (const auto& [key, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST(AboutBox, OpensFromTheSystemMenuWithVersionIconsAndToolTips)
{
    CKeyvaneDlg dialog;
    const CMainWndScope mainWnd(dialog);
    HICON icons[2] = {};
    bool stayedOpen = false;
    const AboutBoxWatch watch([&](HWND about) {
        ExpectVersionIconsAndToolTips(about);
        icons[0] = ShownIcon(about, IDC_MAKER_ICON);
        icons[1] = ShownIcon(about, IDC_APP_ICON);

        // Enter on a focused link is the link's, never the box's default button.
        const HWND website = ::GetDlgItem(about, IDC_WEBSITE);
        ::SetFocus(website);
        ::PostMessageA(website, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageA(website, WM_KEYUP, VK_RETURN, 0);
        AfterQueuedMessages([&dialog, about, &stayedOpen] {
            stayedOpen = ::IsWindowVisible(about);
            CloseAboutBox(about);
            dialog.PostMessage(WM_COMMAND, IDCANCEL);
        });
    });
    const INT_PTR result = RunModalUntilClosed(dialog, [] {
        // Alt+Space opens the system menu, A picks "&About Keyvane...".
        TypeKeys({{VK_MENU, true}, {VK_SPACE, true}, {VK_SPACE, false}, {VK_MENU, false}, {'A', true},
            {'A', false}});
    });

    EXPECT_TRUE(watch.m_bSeen) << "the system menu opened no About box";
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(stayedOpen) << "Enter on a focused link closed the box";
    EXPECT_EQ(0, IconSize(icons[0]).cx) << "the maker's icon outlived the box";
    EXPECT_EQ(0, IconSize(icons[1]).cx) << "the program's icon outlived the box";
}

TEST(AboutBox, OpeningAndClosingAHundredTimesLeavesNoObjectsBehind)
{
    RunMainDialog([](CKeyvaneDlg& dialog, HWND) {
        const auto openAndClose = [&dialog] {
            const AboutBoxWatch watch([](HWND about) {
                // Painted, so that the links have made their fonts.
                ::RedrawWindow(about, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                CloseAboutBox(about);
            });
            dialog.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
            return watch.m_bSeen;
        };
        // What the first opening makes lives on: window classes, the link cursor.
        ASSERT_TRUE(openAndClose());
        const DWORD gdiObjects = GdiObjectCount();
        const DWORD userObjects = UserObjectCount();
        for (int opening = 1; opening <= 100; ++opening)
            ASSERT_TRUE(openAndClose()) << "opening " << opening;
        EXPECT_EQ(gdiObjects, GdiObjectCount()) << "GDI objects";
        EXPECT_EQ(userObjects, UserObjectCount()) << "USER objects";
    });
}

} // namespace
