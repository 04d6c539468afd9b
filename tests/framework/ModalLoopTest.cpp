// The dialogs' own modal loop: results, keys through the dialog manager, who
// sees a queued message first, nested loops, WM_QUIT, and exceptions thrown
// by handlers.
#include "tests/framework/FrameworkTestApp.h"
#include "tests/framework/ProbeDialog.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace {

constexpr int kNotEnded = 99;

TEST(ModalLoop, DoModalReturnsTheEndDialogResultAndDestroysTheWindow)
{
    CProbeDialog dialog;
    dialog.m_onInit = [](CProbeDialog& d) { d.PostEnd(42); };
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_FALSE(::IsWindow(dialog.m_window));
    EXPECT_EQ(nullptr, dialog.m_hWnd);

    CDialog missing(999);
    EXPECT_EQ(-1, missing.DoModal()) << "a template the resources do not hold";
}

TEST(ModalLoop, EscCancelsAndEnterConfirmsThroughTheDialogManager)
{
    for (const auto& [key, expected] : {std::pair<WPARAM, INT_PTR>{VK_ESCAPE, IDCANCEL}, {VK_RETURN, IDOK}}) {
        CProbeDialog dialog;
        dialog.m_onInit = [key = key](CProbeDialog& d) {
            PostKeyDown(d.m_edit.m_hWnd, key);
            d.PostEnd(kNotEnded); // taken only if the key did not end the dialog
        };
        EXPECT_EQ(expected, dialog.DoModal())
            << "key 0x" << std::hex << key << " pressed in the edit control";
    }
}

// Key presses X and Y for the edit control, then the end of the dialog.
void QueueXThenYThenEnd(CProbeDialog& dialog)
{
    PostKeyDown(dialog.m_edit.m_hWnd, 'X');
    PostKeyDown(dialog.m_edit.m_hWnd, 'Y');
    dialog.PostEnd(IDOK);
}

TEST(ModalLoop, ControlSeesAQueuedKeyBeforeItsWindowProcedureAndCanKeepIt)
{
    CProbeDialog dialog;
    dialog.m_edit.m_consumedKey = 'X';
    dialog.m_onInit = QueueXThenYThenEnd;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((Log{"edit before dispatch: keydown X", "edit before dispatch: keydown Y",
                  "dialog before dispatch: keydown Y", "edit window procedure: keydown Y"}),
        dialog.m_log);
}

TEST(ModalLoop, ApplicationFilterSeesEachQueuedMessageFirstAndCanConsumeIt)
{
    CProbeDialog dialog;
    ScopedFilter filter([&](int code, MSG& msg) -> BOOL {
        const bool ours = msg.hwnd && (msg.hwnd == dialog.m_hWnd || ::IsChild(dialog.m_hWnd, msg.hwnd));
        if (!ours || (msg.message != WM_KEYDOWN && msg.message < WM_APP))
            return FALSE;
        const std::string what = msg.message == WM_KEYDOWN ? KeyDown(msg.wParam) : "application message";
        dialog.m_log.push_back(
            (code == MSGF_DIALOGBOX ? "filter MSGF_DIALOGBOX: " : "filter, other code: ") + what);
        return msg.message == WM_KEYDOWN && msg.wParam == 'X';
    });
    dialog.m_onInit = QueueXThenYThenEnd;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((Log{"filter MSGF_DIALOGBOX: keydown X", "filter MSGF_DIALOGBOX: keydown Y",
                  "edit before dispatch: keydown Y", "dialog before dispatch: keydown Y",
                  "edit window procedure: keydown Y", "filter MSGF_DIALOGBOX: application message"}),
        dialog.m_log)
        << "each queued message reaches the filter once, before anything else sees it";
}

TEST(ModalLoop, NestedDialogDisablesItsOwnerWhileOpen)
{
    CProbeDialog outer;
    const CMainWndScope mainWnd(outer);
    outer.m_whileOpen = [](CProbeDialog& o) {
        CProbeDialog inner; // no parent: the main window owns it
        inner.m_whileOpen = [&o](CProbeDialog& i) {
            EXPECT_EQ(o.m_hWnd, ::GetWindow(i.m_hWnd, GW_OWNER));
            EXPECT_FALSE(o.IsWindowEnabled()) << "the owner while the nested dialog is open";
            EXPECT_TRUE(::IsWindowVisible(i.m_hWnd));
            i.EndDialog(IDOK);
        };
        EXPECT_EQ(IDOK, inner.DoModal());
        EXPECT_TRUE(o.IsWindowEnabled()) << "the owner after the nested dialog closed";
        EXPECT_EQ(o.m_hWnd, ::GetActiveWindow()) << "activation goes back to the owner";
        o.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, outer.DoModal());
}

TEST(ModalLoop, QuitEndsEachLoopAndStaysQueuedForTheOneOutside)
{
    CProbeDialog outer;
    outer.m_whileOpen = [](CProbeDialog&) {
        CProbeDialog inner;
        inner.m_whileOpen = [](CProbeDialog&) { ::PostQuitMessage(7); };
        EXPECT_EQ(-1, inner.DoModal()) << "the nested loop";
        EXPECT_FALSE(::IsWindow(inner.m_window));
    };
    EXPECT_EQ(-1, outer.DoModal()) << "the outer loop";
    EXPECT_FALSE(::IsWindow(outer.m_window));
    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT for the loop outside";
    EXPECT_EQ(7u, msg.wParam);
}

HWND CreateOwner()
{
    return ::CreateWindowExA(
        0, "Static", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
}

void CALLBACK QuitStuckLoop(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ADD_FAILURE() << "a modal loop was still running after its window was destroyed";
    ::PostQuitMessage(0);
}

// Ends whatever modal loop still runs after five seconds with WM_QUIT, so that
// a loop that misses the end of its window fails the test instead of hanging
// it: the probe's own watchdog timer goes with the window.
class StuckLoopGuard
{
public:
    ~StuckLoopGuard()
    {
        ::KillTimer(nullptr, m_timer);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

private:
    const UINT_PTR m_timer = ::SetTimer(nullptr, 0, 5000, &QuitStuckLoop);
};

TEST(ModalLoop, EndsWhenItsWindowIsDestroyedWithoutEndDialog)
{
    const std::pair<const char*, std::function<void(CProbeDialog&, HWND)>> ways[] = {
        {"a handler destroys the dialog", [](CProbeDialog& d, HWND) { d.DestroyWindow(); }},
        {"its owner is destroyed", [](CProbeDialog&, HWND owner) { ::DestroyWindow(owner); }},
    };
    for (const auto& [what, destroy] : ways) {
        const HWND owner = CreateOwner();
        const StuckLoopGuard guard;
        CProbeDialog dialog(CWnd::FromHandle(owner));
        dialog.m_whileOpen = [&, &destroy = destroy](CProbeDialog& d) { destroy(d, owner); };
        EXPECT_EQ(-1, dialog.DoModal()) << what << ": -1 says the dialog did not end normally";
        EXPECT_FALSE(::IsWindow(dialog.m_window)) << what;
        EXPECT_EQ(nullptr, dialog.m_hWnd) << what;
        if (::IsWindow(owner)) {
            EXPECT_TRUE(::IsWindowEnabled(owner)) << what << ": the owner after DoModal";
        }
        ::DestroyWindow(owner);
    }
}

// Two dialogs on one owner, the upper one opened from the lower one, as a
// second picture opens over the first.
class SharedOwner : public testing::Test
{
protected:
    ~SharedOwner() override { ::DestroyWindow(m_owner); }

    bool OwnerEnabled() const { return ::IsWindowEnabled(m_owner); }

    const HWND m_owner = CreateOwner();
    CProbeDialog m_lower{CWnd::FromHandle(m_owner)};
    CProbeDialog m_upper{CWnd::FromHandle(m_owner)};
};

TEST_F(SharedOwner, EndedLowerDialogHidesAndEnablesTheOwnerAtOnce)
{
    m_upper.m_whileOpen = [&](CProbeDialog& upper) {
        // The lower dialog's loop cannot unwind before the upper one's.
        m_lower.EndDialog(IDOK);
        EXPECT_FALSE(::IsWindowVisible(m_lower.m_hWnd)) << "the lower dialog after EndDialog";
        EXPECT_TRUE(OwnerEnabled()) << "the owner after the dialog that disabled it ended";
        EXPECT_TRUE(::IsWindowVisible(upper.m_hWnd)) << "the upper dialog, still open";
        upper.EndDialog(IDCANCEL);
    };
    m_lower.m_whileOpen = [&](CProbeDialog&) {
        EXPECT_FALSE(OwnerEnabled()) << "the owner under the lower dialog";
        EXPECT_EQ(IDCANCEL, m_upper.DoModal());
    };
    EXPECT_EQ(IDOK, m_lower.DoModal());
    EXPECT_TRUE(OwnerEnabled());
}

TEST_F(SharedOwner, EndedUpperDialogLeavesTheOwnerToTheLowerOne)
{
    m_upper.m_whileOpen = [&](CProbeDialog& upper) {
        upper.EndDialog(IDOK);
        EXPECT_FALSE(::IsWindowVisible(upper.m_hWnd)) << "the upper dialog after EndDialog";
        EXPECT_FALSE(OwnerEnabled()) << "the owner the lower dialog disabled, after the upper one ended";
    };
    m_lower.m_whileOpen = [&](CProbeDialog& lower) {
        EXPECT_EQ(IDOK, m_upper.DoModal());
        EXPECT_FALSE(OwnerEnabled()) << "the owner once the upper dialog is gone";
        EXPECT_TRUE(::IsWindowVisible(lower.m_hWnd)) << "the lower dialog, still open";
        lower.EndDialog(IDCANCEL);
        EXPECT_FALSE(::IsWindowVisible(lower.m_hWnd)) << "the lower dialog after EndDialog";
        EXPECT_TRUE(OwnerEnabled()) << "the owner after the lower dialog ended";
    };
    EXPECT_EQ(IDCANCEL, m_lower.DoModal());
}

// A dialog whose handler throws: DoModal closes it, gives its owner back and
// rethrows the exception; the next dialog runs as usual.
class ModalException : public testing::Test
{
protected:
    ~ModalException() override { ::DestroyWindow(m_owner); }

    void ExpectRethrown(const std::function<void(CProbeDialog&)>& arrange, const char* what)
    {
        CProbeDialog dialog(CWnd::FromHandle(m_owner));
        arrange(dialog);
        try {
            dialog.DoModal();
            ADD_FAILURE() << "DoModal returned instead of throwing";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(what, e.what());
        }
        EXPECT_FALSE(::IsWindow(dialog.m_window)) << "the dialog's window after DoModal threw";
        EXPECT_EQ(nullptr, dialog.m_hWnd);
        EXPECT_TRUE(::IsWindowEnabled(m_owner)) << "the owner after DoModal threw";

        CProbeDialog next(CWnd::FromHandle(m_owner));
        next.m_onInit = [](CProbeDialog& d) { d.PostEnd(IDOK); };
        EXPECT_EQ(IDOK, next.DoModal()) << "the next dialog";
    }

    const HWND m_owner = CreateOwner();
};

TEST_F(ModalException, FromOnInitDialog)
{
    ExpectRethrown(
        [](CProbeDialog& d) {
            d.m_onInit = [](CProbeDialog&) { throw std::runtime_error("from OnInitDialog"); };
        },
        "from OnInitDialog");
}

TEST_F(ModalException, FromAMessageHandler)
{
    ExpectRethrown(
        [](CProbeDialog& d) {
            d.m_whileOpen = [](CProbeDialog&) { throw std::runtime_error("from a handler"); };
        },
        "from a handler");
}

TEST_F(ModalException, FromTheApplicationsMessageFilter)
{
    ScopedFilter filter([](int, MSG& msg) -> BOOL {
        if (msg.message == WM_KEYDOWN)
            throw std::runtime_error("from the message filter");
        return FALSE;
    });
    ExpectRethrown(
        [](CProbeDialog& d) {
            d.m_onInit = [](CProbeDialog& self) { PostKeyDown(self.m_edit.m_hWnd, 'X'); };
        },
        "from the message filter");
}

} // namespace
