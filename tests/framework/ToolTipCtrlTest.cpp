// The tooltip control's window: what it is, who owns it, and that it goes with
// its owner. Its tools and settings are tested where the About box uses them.
#include "framework/ToolTipCtrl.h"

#include <gtest/gtest.h>

namespace {

TEST(ToolTipCtrl, IsAPopupOwnedByItsParentAndGoesWithIt)
{
    CWnd owner;
    ASSERT_TRUE(owner.SubclassWindow(
        ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr)));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&owner));
    const HWND tipWindow = tip.m_hWnd;

    char className[64] = {};
    ::GetClassNameA(tipWindow, className, sizeof className);
    EXPECT_STREQ(TOOLTIPS_CLASSA, className);
    EXPECT_TRUE(static_cast<DWORD>(::GetWindowLongPtrA(tipWindow, GWL_STYLE)) & WS_POPUP);
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(tipWindow, GW_OWNER));
    EXPECT_EQ(&tip, CWnd::FromHandlePermanent(tipWindow));

    owner.DestroyWindow();
    EXPECT_FALSE(::IsWindow(tipWindow)) << "the tooltip outlived its owner";
    EXPECT_EQ(nullptr, tip.m_hWnd);
}

} // namespace
