// The tooltip helper against real controls and a real tooltip control: which
// kind of tool each control gets, the parent's own tip, and ids that name no
// control.
#include "about/ToolTips.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum ControlId
{
    kStatic = 10,
    kButton,
    kGroupBox,
    kLeftTextGroupBox,
    kMissing = 99,
};

// A captioned window with a static, a push button and two group boxes, so
// that its client area does not begin where the window does.
class Host
{
public:
    Host()
    {
        m_window.SubclassWindow(::CreateWindowExA(0, "Static", "Host", WS_POPUP | WS_CAPTION | WS_BORDER, 50,
            60, 400, 300, nullptr, nullptr, nullptr, nullptr));
        AddChild("Static", SS_NOTIFY, kStatic, {10, 10, 100, 30});
        AddChild("Button", BS_PUSHBUTTON, kButton, {10, 40, 100, 60});
        AddChild("Button", BS_GROUPBOX, kGroupBox, kGroupBoxRect);
        AddChild("Button", BS_GROUPBOX | BS_LEFTTEXT, kLeftTextGroupBox, {200, 150, 300, 250});
        m_tip.Create(&m_window);
    }

    HWND Child(int id) const { return ::GetDlgItem(m_window.m_hWnd, id); }

    static constexpr RECT kGroupBoxRect{20, 100, 180, 200};
    CWnd m_window;
    CToolTipCtrl m_tip;

private:
    void AddChild(LPCSTR windowClass, DWORD style, int id, RECT r)
    {
        ::CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
            r.bottom - r.top, m_window.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
            nullptr);
    }
};

struct Tool
{
    UINT flags;
    HWND hwnd;
    UINT_PTR id;
    RECT rect;
    std::string text;
};

std::vector<Tool> Tools(const CToolTipCtrl& tip)
{
    std::vector<Tool> tools;
    for (int index = 0; index < tip.GetToolCount(); ++index) {
        char text[256] = {};
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.lpszText = text;
        tip.SendMessage(TTM_ENUMTOOLSA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        tools.push_back({info.uFlags, info.hwnd, info.uId, info.rect, text});
    }
    return tools;
}

void ExpectWindowTool(const Tool& tool, HWND window, const char* text)
{
    EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND), tool.flags) << text;
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(window), tool.id) << text;
    EXPECT_EQ(::GetParent(window), tool.hwnd) << text;
    EXPECT_EQ(text, tool.text);
}

TEST(AddToolTips, ControlsGetWindowToolsAndAGroupBoxARectangleOfItsParent)
{
    Host host;
    const ToolTipEntry table[] = {
        {kStatic, "static"},
        {kGroupBox, "group"},
        {kButton, "button"},
        {kLeftTextGroupBox, "left-text group"},
        {0, ""},
    };
    EXPECT_EQ(4, AddToolTips(&host.m_window, &host.m_tip, table));

    const std::vector<Tool> tools = Tools(host.m_tip);
    ASSERT_EQ(4u, tools.size()) << "one tool per control, none for the empty end entry";
    ExpectWindowTool(tools[0], host.Child(kStatic), "static");

    const Tool& group = tools[1];
    EXPECT_EQ(0u, group.flags);
    EXPECT_EQ(host.m_window.m_hWnd, group.hwnd);
    EXPECT_EQ(static_cast<UINT_PTR>(kGroupBox), group.id);
    EXPECT_TRUE(::EqualRect(&Host::kGroupBoxRect, &group.rect))
        << "rectangle " << group.rect.left << "," << group.rect.top << "," << group.rect.right << ","
        << group.rect.bottom << " in the parent's client area";
    EXPECT_EQ("group", group.text);

    ExpectWindowTool(tools[2], host.Child(kButton), "button");
    ExpectWindowTool(tools[3], host.Child(kLeftTextGroupBox), "left-text group");
}

TEST(AddToolTips, EndEntryTextIsTheParentsOwnTip)
{
    Host host;
    const ToolTipEntry onlyTheParent[] = {{0, "the whole window"}};
    EXPECT_EQ(1, AddToolTips(&host.m_window, &host.m_tip, onlyTheParent));
    const std::vector<Tool> tools = Tools(host.m_tip);
    ASSERT_EQ(1u, tools.size());
    ExpectWindowTool(tools[0], host.m_window.m_hWnd, "the whole window");
}

TEST(AddToolTips, IdThatNamesNoControlIsPassedOver)
{
    Host host;
    const ToolTipEntry table[] = {
        {kStatic, "static"},
        {kMissing, "nothing"},
        {kButton, "button"},
        {0, ""},
    };
    EXPECT_EQ(2, AddToolTips(&host.m_window, &host.m_tip, table));
    const std::vector<Tool> tools = Tools(host.m_tip);
    ASSERT_EQ(2u, tools.size());
    ExpectWindowTool(tools[0], host.Child(kStatic), "static");
    ExpectWindowTool(tools[1], host.Child(kButton), "button");
}

} // namespace
