// Window objects and their handles: temporary and permanent objects,
// subclassing and its end at WM_NCDESTROY, data exchange, list control texts.
#include "framework/ListCtrl.h"
#include "tests/framework/ProbeDialog.h"
#include "tests/framework/TestResources.h"

#include <gtest/gtest.h>

namespace {

HWND CreateTopLevel(LPCSTR windowClass, DWORD style = 0)
{
    return ::CreateWindowExA(
        0, windowClass, "", WS_POPUP | style, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
}

// What a window looked like the moment its WM_NCDESTROY had been handled.
struct AtNcDestroy
{
    HWND window;
    LONG_PTR windowProc;
    CWnd* permanent;
};

AtNcDestroy g_atNcDestroy{};

LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == g_atNcDestroy.window && call->message == WM_NCDESTROY) {
        g_atNcDestroy.windowProc = ::GetWindowLongPtrA(call->hwnd, GWLP_WNDPROC);
        g_atNcDestroy.permanent = CWnd::FromHandlePermanent(call->hwnd);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(HandleMap, WindowWithoutAnObjectGetsTheSameTemporaryOneWhileItLives)
{
    const HWND window = CreateTopLevel("Static");
    ASSERT_TRUE(window);
    CWnd* temporary = CWnd::FromHandle(window);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(window, temporary->m_hWnd);
    EXPECT_EQ(temporary, CWnd::FromHandle(window));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(window));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    ::DestroyWindow(window);
}

TEST(HandleMap, SubclassedWindowBelongsToItsObjectUntilNcDestroy)
{
    const HWND first = CreateTopLevel("Static");
    const HWND second = CreateTopLevel("Static");
    const LONG_PTR original = ::GetWindowLongPtrA(first, GWLP_WNDPROC);
    {
        CWnd object;
        ASSERT_TRUE(object.SubclassWindow(first));
        EXPECT_EQ(&object, CWnd::FromHandle(first));
        EXPECT_NE(original, ::GetWindowLongPtrA(first, GWLP_WNDPROC));

        g_atNcDestroy = {first, 0, &object};
        const HHOOK hook
            = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &AfterWindowProcedure, nullptr, ::GetCurrentThreadId());
        ::DestroyWindow(first);
        ::UnhookWindowsHookEx(hook);
        EXPECT_EQ(original, g_atNcDestroy.windowProc) << "the window procedure when WM_NCDESTROY returned";
        EXPECT_EQ(nullptr, g_atNcDestroy.permanent) << "the object mapped when WM_NCDESTROY returned";
        EXPECT_EQ(nullptr, object.m_hWnd);

        ASSERT_TRUE(object.SubclassWindow(second)) << "the object is free for another window";
    }
    EXPECT_FALSE(::IsWindow(second)) << "a permanent object takes its window with it";
}

TEST(DataExchange, BindsOnceAndAgainForTheNextWindow)
{
    CProbeDialog dialog;
    for (int run = 1; run <= 2; ++run) {
        dialog.m_whileOpen = [run](CProbeDialog& d) {
            const HWND edit = ::GetDlgItem(d.m_hWnd, IDC_EDIT);
            EXPECT_EQ(&d.m_edit, CWnd::FromHandlePermanent(edit)) << "run " << run;
            d.UpdateData(FALSE);
            CWnd other;
            CDataExchange dx(&d, FALSE);
            DDX_Control(&dx, IDC_EDIT, other);
            EXPECT_EQ(nullptr, other.m_hWnd) << "a second object for a bound control";
            EXPECT_EQ(&d.m_edit, CWnd::FromHandlePermanent(edit)) << "the binding after a second exchange";

            // Subclassed twice, the control would call itself for ever.
            char text[16] = {};
            ::SetWindowTextA(edit, "typed");
            ::GetWindowTextA(edit, text, sizeof text);
            EXPECT_STREQ("typed", text);
            d.EndDialog(IDOK);
        };
        EXPECT_EQ(IDOK, dialog.DoModal());
        EXPECT_EQ(nullptr, dialog.m_edit.m_hWnd) << "the binding ends with the window, run " << run;
    }
}

TEST(ListCtrl, LongTextsComeBackWhole)
{
    CListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(CreateTopLevel(WC_LISTVIEWA, LVS_REPORT)));
    list.InsertColumn(0, "First", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "Second", LVCFMT_LEFT, 100);

    std::string long600, long256;
    for (char c = 0; long600.size() < 600; c = static_cast<char>((c + 1) % 26))
        long600 += static_cast<char>('a' + c);
    long256 = long600.substr(0, 256);
    ASSERT_EQ(0, list.InsertItem(0, long600.c_str(), 0));
    list.SetItemText(0, 1, long256.c_str());
    ASSERT_EQ(1, list.InsertItem(1, "short", 0));

    EXPECT_EQ(long600, std::string(list.GetItemText(0, 0)));
    EXPECT_EQ(long256, std::string(list.GetItemText(0, 1)));
    EXPECT_EQ("short", std::string(list.GetItemText(1, 0)));
    EXPECT_EQ("", std::string(list.GetItemText(1, 1)));
}

} // namespace
