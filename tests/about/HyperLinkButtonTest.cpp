// The link button on real windows: colours from the browser settings in the
// registry, what it paints in each state, pointer, mouse and keyboard
// activation, and what it tells its parent.
#include "about/HyperLinkButton.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
#include <thread>
#include <vector>

namespace {

constexpr int kButtonId = 116;
// The shell cannot open this.
constexpr char kUnopenableTarget[] = "C:\\keyvane missing folder\\no such file.none";

// Exposes the button's state to the tests.
class CProbeLink : public CHyperLinkButton
{
public:
    using CHyperLinkButton::m_bHover;
    using CHyperLinkButton::m_bKeyPending;
    using CHyperLinkButton::m_bPressed;
    using CHyperLinkButton::m_bTracking;
    using CHyperLinkButton::m_bVisited;
    using CHyperLinkButton::s_hLinkCursor;
};

// A top-level window that reflects its button's notifications and records
// the link messages it receives.
class CLinkParent : public CWnd
{
public:
    std::vector<WPARAM> m_linkIds;
    std::vector<LPARAM> m_linkParams;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LINK_CLICKED) {
            m_linkIds.push_back(wParam);
            m_linkParams.push_back(lParam);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void Pump(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

MSG Message(HWND hWnd, UINT message, WPARAM wParam)
{
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = wParam;
    return msg;
}

class LinkButton : public testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "KeyvaneLinkTestParent";
        ::RegisterClassA(&windowClass);
        const HWND parent = ::CreateWindowExA(0, windowClass.lpszClassName, "Links",
            WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 300, 120, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
        ASSERT_TRUE(m_parent.SubclassWindow(parent));
        const HWND button = ::CreateWindowExA(0, "Button", "Website",
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_FLAT | BS_DEFPUSHBUTTON, 20, 20, 120, 30,
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), nullptr, nullptr);
        ASSERT_TRUE(button);

        // Text drawn without smoothing, so that painted pixels have exactly the text colour.
        LOGFONTA logFont{};
        logFont.lfHeight = -13;
        logFont.lfWeight = FW_BOLD;
        logFont.lfQuality = NONANTIALIASED_QUALITY;
        lstrcpyA(logFont.lfFaceName, "Tahoma");
        ASSERT_TRUE(m_font.CreateFontIndirect(&logFont));
        ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hFont), FALSE);

        ASSERT_TRUE(m_link.SubclassWindow(button));
        m_link.m_strURL = kUnopenableTarget;
        m_link.m_crLink = RGB(0, 0, 200);
        m_link.m_crHover = RGB(0, 200, 0);
        m_link.m_crVisited = RGB(200, 0, 200);
        m_link.m_crActive = RGB(200, 0, 0);
        m_link.m_crDisabled = RGB(120, 120, 120);
        m_link.m_nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        ::UpdateWindow(parent);
    }

    void TearDown() override
    {
        m_link.DestroyWindow();
        m_parent.DestroyWindow();
    }

    POINT ButtonCentreOnScreen() const
    {
        RECT rect;
        m_link.GetWindowRect(&rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    void MoveMouseOnButton()
    {
        const POINT centre = ButtonCentreOnScreen();
        ::SetCursorPos(centre.x, centre.y);
        m_link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    }

    void Click()
    {
        m_parent.SendMessage(
            WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(m_link.m_hWnd));
    }

    BOOL PreTranslate(UINT message, WPARAM wParam)
    {
        MSG msg = Message(m_link.m_hWnd, message, wParam);
        return m_link.PreTranslateMessage(&msg);
    }

    CFont m_font;
    CLinkParent m_parent;
    CProbeLink m_link;
};

TEST_F(LinkButton, BecomesOwnerDrawnAndSizesToItsCaption)
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(m_link.m_hWnd, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), style & BS_TYPEMASK) << "style " << std::hex << style;
    EXPECT_TRUE(style & WS_TABSTOP);

    m_link.SizeToText();
    const HDC dc = ::GetDC(m_link.m_hWnd);
    SIZE expected{};
    ::GetTextExtentPoint32A(dc, "Website", 7, &expected);
    ::ReleaseDC(m_link.m_hWnd, dc);
    RECT rect;
    m_link.GetWindowRect(&rect);
    m_parent.ScreenToClient(&rect);
    EXPECT_EQ(expected.cx, rect.right - rect.left) << "measured in the context's own font";
    EXPECT_EQ(expected.cy, rect.bottom - rect.top);
    EXPECT_EQ(20, rect.left) << "the position stays";
    EXPECT_EQ(20, rect.top);
}

// What DrawItem paints into a white bitmap of the button's size.
struct Painting
{
    std::set<COLORREF> textColours; // every colour but the white ground and the focus dots' black
    bool underlined = false;        // a row of text colour as wide as most of the caption
    bool focusRectangle = false;    // dots on the top row
};

Painting Paint(CHyperLinkButton& link)
{
    RECT client;
    link.GetClientRect(&client);
    const int width = client.right, height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = ::SelectObject(dc, bitmap);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kButtonId;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = link.m_hWnd;
    item.hDC = dc;
    item.rcItem = client;
    link.DrawItem(&item);
    ::GdiFlush();

    Painting painting;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
        std::map<COLORREF, int> inRow;
        for (int x = 0; x < width; ++x) {
            const DWORD pixel = pixels[y * width + x] & 0xFFFFFF;
            const COLORREF colour = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));
            if (y == 0 && colour == RGB(0, 0, 0))
                painting.focusRectangle = true;
            if (colour == RGB(255, 255, 255) || colour == RGB(0, 0, 0))
                continue;
            painting.textColours.insert(colour);
            ++inRow[colour];
        }
        for (const auto& [colour, count] : inRow)
            painting.underlined = painting.underlined || count > width / 3;
    }
    ::SelectObject(dc, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return painting;
}

TEST_F(LinkButton, PaintsInTheColourOfTheFirstStateThatApplies)
{
    struct Case
    {
        LPCSTR state;
        BOOL hover, pressed, visited, focused, enabled;
        COLORREF colour;
        bool underlined;
    };
    const Case cases[] = {
        {"unvisited", FALSE, FALSE, FALSE, FALSE, TRUE, RGB(0, 0, 200), false},
        {"visited", FALSE, FALSE, TRUE, FALSE, TRUE, RGB(200, 0, 200), false},
        {"hovered", TRUE, FALSE, FALSE, FALSE, TRUE, RGB(0, 200, 0), true},
        {"hovered and visited", TRUE, FALSE, TRUE, FALSE, TRUE, RGB(0, 200, 0), true},
        {"pressed", FALSE, TRUE, TRUE, FALSE, TRUE, RGB(200, 0, 0), false},
        {"pressed and hovered", TRUE, TRUE, FALSE, FALSE, TRUE, RGB(200, 0, 0), true},
        {"focused and visited", FALSE, FALSE, TRUE, TRUE, TRUE, RGB(200, 0, 0), false},
        {"focused and hovered", TRUE, FALSE, TRUE, TRUE, TRUE, RGB(200, 0, 0), true},
        {"disabled", TRUE, TRUE, TRUE, FALSE, FALSE, RGB(120, 120, 120), false},
    };
    for (const Case& c : cases) {
        m_link.m_bHover = c.hover;
        m_link.m_bPressed = c.pressed;
        m_link.m_bVisited = c.visited;
        ::SetFocus(c.focused ? m_link.m_hWnd : m_parent.m_hWnd);
        ::EnableWindow(m_link.m_hWnd, c.enabled);
        const Painting painting = Paint(m_link);
        EXPECT_EQ(std::set<COLORREF>{c.colour}, painting.textColours) << c.state;
        EXPECT_EQ(c.underlined, painting.underlined) << c.state;
        EXPECT_EQ(static_cast<bool>(c.focused), painting.focusRectangle) << c.state;
    }
}

TEST_F(LinkButton, HoverLooksOncePerStayOfThePointer)
{
    MoveMouseOnButton();
    EXPECT_TRUE(m_link.m_bTracking) << "the first move asks for hover and leave notices";
    Pump(300);
    EXPECT_TRUE(m_link.m_bHover) << "hover notice after the pointer rests";

    Click();
    EXPECT_FALSE(m_link.m_bHover) << "activation ends the hover look";
    EXPECT_TRUE(m_link.m_bVisited);
    MoveMouseOnButton();
    Pump(300);
    EXPECT_FALSE(m_link.m_bHover) << "not again until the pointer has left";

    ::SetCursorPos(5, 5);
    Pump(300);
    EXPECT_FALSE(m_link.m_bTracking) << "leave notice";
    EXPECT_FALSE(m_link.m_bHover);

    MoveMouseOnButton();
    Pump(300);
    EXPECT_TRUE(m_link.m_bHover) << "back on the link";
    ::SetCursorPos(5, 5);
    Pump(300);
}

TEST_F(LinkButton, PressedUntilTheButtonComesUpAndOnlyAReleaseOnItActivates)
{
    m_link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(m_link.m_bPressed);
    EXPECT_EQ(m_link.m_hWnd, ::GetFocus()) << "the press takes the focus";
    m_link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_FALSE(m_link.m_bPressed);
    EXPECT_FALSE(m_link.m_bVisited) << "released outside";
    EXPECT_TRUE(m_parent.m_linkIds.empty());

    m_link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    m_link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(m_link.m_bPressed);
    EXPECT_TRUE(m_link.m_bVisited) << "released on the link";
    EXPECT_EQ(1u, m_parent.m_linkIds.size());
}

TEST_F(LinkButton, FailedOpenTellsTheParentOnceWithTheControlId)
{
    Click();
    ASSERT_EQ(1u, m_parent.m_linkIds.size());
    EXPECT_EQ(static_cast<WPARAM>(kButtonId), m_parent.m_linkIds[0]);
    EXPECT_EQ(0, m_parent.m_linkParams[0]);
    EXPECT_TRUE(m_link.m_bVisited) << "visited although the shell failed";

    m_link.m_strURL.Empty();
    m_link.m_strPrefix = "C:\\keyvane missing folder\\";
    Click();
    EXPECT_EQ(2u, m_parent.m_linkIds.size()) << "prefix and caption as the target";
}

TEST_F(LinkButton, SpaceOrEnterActivatesOnceAtTheKeyUp)
{
    EXPECT_TRUE(PreTranslate(WM_KEYDOWN, VK_SPACE)) << "the key-down goes no further";
    EXPECT_TRUE(PreTranslate(WM_KEYDOWN, VK_SPACE)) << "repeated";
    EXPECT_TRUE(m_link.m_bKeyPending);
    EXPECT_TRUE(m_parent.m_linkIds.empty()) << "nothing happens before the key-up";
    EXPECT_TRUE(PreTranslate(WM_KEYUP, VK_RETURN)) << "Space down, Enter up";
    EXPECT_FALSE(m_link.m_bKeyPending);
    EXPECT_EQ(1u, m_parent.m_linkIds.size());
    EXPECT_TRUE(m_link.m_bVisited);

    EXPECT_FALSE(PreTranslate(WM_KEYUP, VK_RETURN)) << "a key-up with nothing pending is passed on";
    EXPECT_EQ(1u, m_parent.m_linkIds.size());

    EXPECT_TRUE(PreTranslate(WM_KEYDOWN, VK_RETURN));
    EXPECT_FALSE(PreTranslate(WM_MOUSEMOVE, 0)) << "any other message is passed on";
    EXPECT_FALSE(m_link.m_bKeyPending) << "and cancels the pending key";
    EXPECT_FALSE(PreTranslate(WM_KEYUP, VK_RETURN));
    EXPECT_EQ(1u, m_parent.m_linkIds.size()) << "a cancelled key does not activate";

    EXPECT_FALSE(PreTranslate(WM_KEYDOWN, 'A'));
    EXPECT_FALSE(PreTranslate(WM_CHAR, VK_SPACE));
}

TEST_F(LinkButton, DisabledButtonIgnoresActivation)
{
    ::EnableWindow(m_link.m_hWnd, FALSE);
    PreTranslate(WM_KEYDOWN, VK_SPACE);
    PreTranslate(WM_KEYUP, VK_SPACE);
    Click();
    EXPECT_TRUE(m_parent.m_linkIds.empty());
    EXPECT_FALSE(m_link.m_bVisited);
}

TEST_F(LinkButton, ShowsTheLinkCursorOverItsClientArea)
{
    ASSERT_NE(nullptr, m_link.s_hLinkCursor);
    EXPECT_EQ(
        ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_CURSOR)), m_link.s_hLinkCursor)
        << "the program's own hand";
    EXPECT_NE(::LoadCursorA(nullptr, IDC_HAND), m_link.s_hLinkCursor) << "not the system's";
    ::SetCursor(nullptr);
    EXPECT_EQ(TRUE,
        m_link.SendMessage(
            WM_SETCURSOR, reinterpret_cast<WPARAM>(m_link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(m_link.s_hLinkCursor, ::GetCursor());
    ::SetCursor(nullptr);
    m_link.SendMessage(
        WM_SETCURSOR, reinterpret_cast<WPARAM>(m_link.m_hWnd), MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
    EXPECT_NE(m_link.s_hLinkCursor, ::GetCursor()) << "outside the client area, default processing";
}

// The browser's link colour values, saved before a test and put back after it.
class LinkColours : public testing::Test
{
protected:
    static constexpr char kSettings[] = "Software\\Microsoft\\Internet Explorer\\Settings";
    static constexpr LPCSTR kNames[] = {"Anchor Color", "Anchor Color Visited", "Anchor Color Hover"};

    struct Saved
    {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };

    void SetUp() override
    {
        DWORD disposition = 0;
        ASSERT_EQ(ERROR_SUCCESS,
            ::RegCreateKeyExA(
                HKEY_CURRENT_USER, kSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, &disposition));
        m_createdKey = disposition == REG_CREATED_NEW_KEY;
        for (int i = 0; i < 3; ++i) {
            DWORD bytes = 0;
            Saved& saved = m_saved[i];
            saved.present = ::RegQueryValueExA(m_key, kNames[i], nullptr, &saved.type, nullptr, &bytes)
                == ERROR_SUCCESS;
            saved.data.resize(bytes);
            if (saved.present)
                ::RegQueryValueExA(m_key, kNames[i], nullptr, &saved.type, saved.data.data(), &bytes);
            ::RegDeleteValueA(m_key, kNames[i]);
        }
    }

    void TearDown() override
    {
        for (int i = 0; i < 3; ++i) {
            const Saved& saved = m_saved[i];
            if (saved.present)
                ::RegSetValueExA(m_key, kNames[i], 0, saved.type, saved.data.data(),
                    static_cast<DWORD>(saved.data.size()));
            else
                ::RegDeleteValueA(m_key, kNames[i]);
        }
        ::RegCloseKey(m_key);
        if (m_createdKey)
            ::RegDeleteKeyA(HKEY_CURRENT_USER, kSettings);
    }

    void StoreText(int which, LPCSTR text)
    {
        ASSERT_EQ(ERROR_SUCCESS,
            ::RegSetValueExA(m_key, kNames[which], 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                static_cast<DWORD>(lstrlenA(text) + 1)));
    }

    HKEY m_key = nullptr;
    bool m_createdKey = false;
    Saved m_saved[3];
};

TEST_F(LinkColours, DefaultsWhenTheValuesAreMissing)
{
    const CHyperLinkButton link;
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), link.m_crLink);
    EXPECT_EQ(RGB(128, 0, 128), link.m_crVisited);
    EXPECT_EQ(::GetSysColor(COLOR_HOTLIGHT), link.m_crHover);
    EXPECT_EQ(RGB(128, 0, 0), link.m_crActive);
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), link.m_crDisabled);
    EXPECT_EQ(static_cast<UINT>(DT_SINGLELINE), link.m_nFormat);
}

TEST_F(LinkColours, ReadFromThreeCommaSeparatedFields)
{
    struct Case
    {
        LPCSTR text;
        bool fallsBack;
        COLORREF colour;
    };
    const Case cases[] = {
        {"0,0,255", false, RGB(0, 0, 255)},
        {"1,2,3,4", false, RGB(1, 2, 3)},
        {"300,0x80,-1", false, RGB(44, 128, 255)},
        {"a,b,c", false, RGB(0, 0, 0)},
        {" 7, 8,9x", false, RGB(7, 8, 9)},
        {",,", false, RGB(0, 0, 0)},
        {"0,0", true, 0},
        {"255", true, 0},
        {"", true, 0},
    };
    const COLORREF defaults[]
        = {::GetSysColor(COLOR_HIGHLIGHT), RGB(128, 0, 128), ::GetSysColor(COLOR_HOTLIGHT)};
    for (const Case& c : cases) {
        for (int which = 0; which < 3; ++which)
            StoreText(which, c.text);
        const CHyperLinkButton link;
        const COLORREF read[] = {link.m_crLink, link.m_crVisited, link.m_crHover};
        for (int which = 0; which < 3; ++which)
            EXPECT_EQ(c.fallsBack ? defaults[which] : c.colour, read[which])
                << kNames[which] << " \"" << c.text << '"';
    }

    const DWORD number = 0xFF;
    ::RegSetValueExA(m_key, kNames[0], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), CHyperLinkButton().m_crLink) << "a value that is not text";
}

} // namespace
