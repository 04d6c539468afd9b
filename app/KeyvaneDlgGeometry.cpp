// The main dialog's window behaviour: the list keeps its margins, the dialog
// snaps to the work area's edges and keeps its width. Shift held lets it move
// and size freely.
#include "app/KeyState.h"
#include "app/KeyvaneDlg.h"
#include "geometry/Anchor.h"
#include "res/resource.h"

void CKeyvaneDlg::OnSize(UINT, int, int)
{
    Default();
    if (GetDlgItem(IDC_HOTKEY_LIST))
        AnchorDlgItem(this, IDC_HOTKEY_LIST, kListMarginLeft, kListMarginRight, kListMarginTop,
            kListMarginBottom, 0, 0);
}

void CKeyvaneDlg::OnMoving(UINT, LPRECT rect)
{
    Default();
    if (IsKeyHeld(VK_SHIFT))
        return;
    m_snapper.SnapMoving(rect, nullptr, FALSE);
}

void CKeyvaneDlg::OnSizing(UINT edge, LPRECT rect)
{
    Default();
    if (IsKeyHeld(VK_SHIFT))
        return;
    // No maximum height.
    m_snapper.LimitSizing(edge, rect, kMainWidth, kMainMinHeight, kMainWidth, 0);
}

void CKeyvaneDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    // Zeroed first: should the query fail, the dialog maximises 4 pixels tall.
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    info->ptMaxSize = MaximizedSize(workArea);
    Default();
}
