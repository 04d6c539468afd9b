// Message maps on a real dialog: which class's entry runs, what default
// processing does, and where a control's notifications end up.
#include "framework/Button.h"
#include "tests/framework/ProbeDialog.h"
#include "tests/framework/TestResources.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string_view>

namespace {

std::string WindowText(HWND hWnd)
{
    char text[64] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

class CDrawnButton : public CButton
{
public:
    explicit CDrawnButton(Log& log) : m_log(log) { }
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        m_log.push_back("button: draws " + std::to_string(item->CtlID));
    }

private:
    Log& m_log;
};

class CReflectingButton : public CButton
{
    DECLARE_MESSAGE_MAP()

public:
    explicit CReflectingButton(Log& log) : m_log(log) { }

private:
    void OnClicked() { m_log.push_back("button: clicked"); }
    Log& m_log;
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

// The probe dialog with entries of its own, and objects for three of its buttons.
class CMapProbe : public CProbeDialog
{
    DECLARE_MESSAGE_MAP()

public:
    CDrawnButton m_drawn{m_log};
    CReflectingButton m_reflecting{m_log};
    CButton m_plain; // bound, but reflects nothing
    std::string m_textAfterNestedSet;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CProbeDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_DRAWN, m_drawn);
        DDX_Control(dx, IDC_REFLECTING, m_reflecting);
        DDX_Control(dx, IDC_PLAIN, m_plain);
    }

private:
    LRESULT OnWhichMapHere(WPARAM, LPARAM) { return 2; }

    // Sets another text from inside the handler: each Default must run its own message.
    LRESULT OnSetText(WPARAM, LPARAM lParam)
    {
        if (std::string_view(reinterpret_cast<LPCSTR>(lParam)) == "outer") {
            SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("inner"));
            m_textAfterNestedSet = WindowText(m_hWnd);
        }
        return Default();
    }

    LRESULT OnDrawItem(WPARAM id, LPARAM)
    {
        m_log.push_back("dialog: draws " + std::to_string(id));
        return TRUE;
    }

    void OnReflectingCommand() { m_log.push_back("dialog: command IDC_REFLECTING"); }
    void OnPlainCommand() { m_log.push_back("dialog: command IDC_PLAIN"); }
    void OnEditClick(NMHDR*, LRESULT* result) { *result = 101; }
    void OnPlainClick(NMHDR*, LRESULT* result) { *result = 102; }
    void OnEditDoubleClick(NMHDR*, LRESULT* result) { *result = 103; }
};

BEGIN_MESSAGE_MAP(CMapProbe, CProbeDialog)
    ON_MESSAGE(kWhichMap, OnWhichMapHere)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
    ON_COMMAND(IDC_REFLECTING, OnReflectingCommand)
    ON_COMMAND(IDC_PLAIN, OnPlainCommand)
    ON_NOTIFY(NM_CLICK, IDC_EDIT, OnEditClick)
    ON_NOTIFY(NM_CLICK, IDC_PLAIN, OnPlainClick)
    ON_NOTIFY(NM_DBLCLK, IDC_EDIT, OnEditDoubleClick)
END_MESSAGE_MAP()

// Runs the dialog, calls `whileOpen` inside its modal loop, then ends it.
void WhileOpen(CProbeDialog& dialog, const std::function<void(HWND)>& whileOpen)
{
    dialog.m_whileOpen = [&](CProbeDialog& d) {
        whileOpen(d.m_hWnd);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(MessageMap, DerivedEntryWinsOverTheBaseAndTheBaseEntriesStillRun)
{
    // The probe's m_whileOpen itself runs from an entry of the base's map.
    CMapProbe derived;
    WhileOpen(derived, [](HWND window) {
        EXPECT_EQ(2, ::SendMessageA(window, kWhichMap, 0, 0)) << "the derived class's entry";
    });
    CProbeDialog base;
    WhileOpen(base, [](HWND window) {
        EXPECT_EQ(1, ::SendMessageA(window, kWhichMap, 0, 0)) << "the base class's own entry";
    });
}

TEST(MessageMap, DefaultRunsTheMessageBeingHandledEvenWhenHandlersNest)
{
    CMapProbe dialog;
    WhileOpen(dialog, [&](HWND window) {
        EXPECT_TRUE(::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("outer")))
            << "WM_SETTEXT's handler returns what Default returned";
        EXPECT_EQ("inner", dialog.m_textAfterNestedSet) << "Default inside the nested handler";
        EXPECT_EQ("outer", WindowText(window)) << "Default of the outer handler, called after the nested one";

        char text[16] = {};
        EXPECT_EQ(5, ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)))
            << "WM_GETTEXT has no entry, so the dialog's own window procedure answers";
        EXPECT_STREQ("outer", text);
    });
}

TEST(MessageMap, NotifyEntriesMatchCodeAndControl)
{
    CMapProbe dialog;
    WhileOpen(dialog, [](HWND window) {
        const auto notify = [window](int id, UINT code) {
            NMHDR header{::GetDlgItem(window, id), static_cast<UINT_PTR>(id), code};
            return ::SendMessageA(
                window, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&header));
        };
        EXPECT_EQ(101, notify(IDC_EDIT, NM_CLICK));
        EXPECT_EQ(102, notify(IDC_PLAIN, NM_CLICK)) << "from a bound control that reflects nothing";
        EXPECT_EQ(103, notify(IDC_EDIT, NM_DBLCLK));
        EXPECT_EQ(0, notify(IDC_PLAIN, NM_DBLCLK)) << "no entry for this code from this control";
    });
}

TEST(Reflection, OwnerDrawnButtonDrawsItselfWhenItsParentIsPainted)
{
    CMapProbe dialog;
    WhileOpen(dialog, [&](HWND window) {
        dialog.m_log.clear();
        ::RedrawWindow(
            window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const Log expected{"button: draws " + std::to_string(IDC_DRAWN),
            "dialog: draws " + std::to_string(IDC_DRAWN_BY_DIALOG)};
        EXPECT_EQ(expected, dialog.m_log)
            << "one button has an object that draws it; the other has none, so its parent draws it";
    });
}

TEST(Reflection, ClickReachesTheReflectingButtonInsteadOfItsParent)
{
    CMapProbe dialog;
    WhileOpen(dialog, [&](HWND window) {
        dialog.m_log.clear();
        ::SendMessageA(::GetDlgItem(window, IDC_REFLECTING), BM_CLICK, 0, 0);
        ::SendMessageA(::GetDlgItem(window, IDC_PLAIN), BM_CLICK, 0, 0);
        EXPECT_EQ((Log{"button: clicked", "dialog: command IDC_PLAIN"}), dialog.m_log);
    });
}

} // namespace
