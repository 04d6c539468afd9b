#include "about/Egg.h"

#include "res/resource.h"

namespace {

// Move the window as if its caption were dragged.
constexpr WPARAM kDragByCaption = SC_MOVE | HTCAPTION;

} // namespace

IMPLEMENT_DYNAMIC(CEgg, CDialog)

BEGIN_MESSAGE_MAP(CEgg, CDialog)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CEgg::CEgg(CWnd* parent) : CDialog(IDD_EGG, parent) { }

void CEgg::OnLButtonDown(UINT, POINT)
{
    // Runs the system's move loop until the button is released.
    SendMessage(WM_SYSCOMMAND, kDragByCaption, 0);
    Default();
}

void CEgg::OnLButtonDblClk(UINT, POINT)
{
    OnCancel();
    Default();
}
