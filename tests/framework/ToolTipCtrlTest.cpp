// The tooltip control against the real common control: ownership of its
// window, the two kinds of tool, and its settings read back from the control.
#include "framework/ToolTipCtrl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A popup with one child button, each owned by a window object.
struct ToolHost
{
    ToolHost()
    {
        window.SubclassWindow(
            ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr));
        button.SubclassWindow(::CreateWindowExA(0, "Button", "Tool", WS_CHILD | BS_PUSHBUTTON, 10, 10, 80, 20,
            window.m_hWnd, reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr));
    }

    static constexpr int kButtonId = 5;
    CWnd window;
    CWnd button;
};

struct Tool
{
    TTTOOLINFOA info;
    std::string text;
};

Tool EnumTool(const CToolTipCtrl& tip, int index)
{
    char text[256] = {};
    Tool tool{};
    tool.info.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.info.lpszText = text;
    EXPECT_TRUE(
        tip.SendMessage(TTM_ENUMTOOLSA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tool.info)))
        << "tool " << index;
    tool.text = text;
    return tool;
}

TEST(ToolTipCtrl, IsAPopupOwnedByItsParentAndGoesWithIt)
{
    ToolHost host;
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host.window));
    const HWND tipWindow = tip.m_hWnd;

    char className[64] = {};
    ::GetClassNameA(tipWindow, className, sizeof className);
    EXPECT_STREQ(TOOLTIPS_CLASSA, className);
    EXPECT_TRUE(static_cast<DWORD>(::GetWindowLongPtrA(tipWindow, GWL_STYLE)) & WS_POPUP);
    EXPECT_EQ(host.window.m_hWnd, ::GetWindow(tipWindow, GW_OWNER));
    EXPECT_EQ(&tip, CWnd::FromHandlePermanent(tipWindow));

    host.window.DestroyWindow();
    EXPECT_FALSE(::IsWindow(tipWindow)) << "the tooltip outlived its owner";
    EXPECT_EQ(nullptr, tip.m_hWnd);
}

TEST(ToolTipCtrl, AddsWindowToolsAndRectangleToolsWithoutSubclassing)
{
    ToolHost host;
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host.window));
    const LONG_PTR buttonProc = ::GetWindowLongPtrA(host.button.m_hWnd, GWLP_WNDPROC);

    ASSERT_TRUE(tip.AddTool(&host.button, "the button"));
    const RECT area{100, 50, 180, 90};
    ASSERT_TRUE(tip.AddTool(&host.window, "an area", &area, 42));
    ASSERT_EQ(2, tip.GetToolCount());

    const Tool windowTool = EnumTool(tip, 0);
    EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND), windowTool.info.uFlags);
    EXPECT_EQ(host.window.m_hWnd, windowTool.info.hwnd) << "a window tool is registered on its parent";
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(host.button.m_hWnd), windowTool.info.uId);
    EXPECT_EQ("the button", windowTool.text);

    const Tool rectangleTool = EnumTool(tip, 1);
    EXPECT_EQ(0u, rectangleTool.info.uFlags);
    EXPECT_EQ(host.window.m_hWnd, rectangleTool.info.hwnd);
    EXPECT_EQ(42u, rectangleTool.info.uId);
    EXPECT_TRUE(::EqualRect(&area, &rectangleTool.info.rect))
        << "rectangle " << rectangleTool.info.rect.left << "," << rectangleTool.info.rect.top << ","
        << rectangleTool.info.rect.right << "," << rectangleTool.info.rect.bottom;
    EXPECT_EQ("an area", rectangleTool.text);

    EXPECT_EQ(buttonProc, ::GetWindowLongPtrA(host.button.m_hWnd, GWLP_WNDPROC))
        << "the tool's window procedure changed";
}

TEST(ToolTipCtrl, DelaysAndWidthReadBack)
{
    ToolHost host;
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host.window));

    tip.SetDelayTime(TTDT_AUTOPOP, 10000);
    tip.SetDelayTime(TTDT_INITIAL, 1000);
    tip.SetDelayTime(TTDT_RESHOW, 500);
    EXPECT_EQ(10000, tip.SendMessage(TTM_GETDELAYTIME, TTDT_AUTOPOP));
    EXPECT_EQ(1000, tip.SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL));
    EXPECT_EQ(500, tip.SendMessage(TTM_GETDELAYTIME, TTDT_RESHOW));

    EXPECT_EQ(-1, tip.SetMaxTipWidth(250)) << "no limit before";
    EXPECT_EQ(250, tip.SendMessage(TTM_GETMAXTIPWIDTH));
}

} // namespace
