#pragma once

#include "framework/Button.h"
#include "framework/Font.h"
#include "framework/ToolTipCtrl.h"

#include <memory>

// Sent to a link button's parent when the shell cannot open the target:
// wParam is the button's control id, lParam 0.
extern const UINT WM_LINK_CLICKED;

// A push button that paints itself as one line of link text and hands its
// target to the shell when it is clicked, or when Space or Enter is released
// on it. It starts in the user's browser link colours; its owner may change
// the public members after subclassing and before showing it.
class CHyperLinkButton : public CButton
{
    DECLARE_MESSAGE_MAP()

public:
    CHyperLinkButton();
    ~CHyperLinkButton() override;

    UINT m_nFormat = DT_SINGLELINE; // DrawText format of the caption
    CString m_strURL;               // the target; the caption when empty
    CString m_strPrefix;            // put in front of the target
    COLORREF m_crLink;              // not yet visited
    COLORREF m_crHover;             // pointer on the link
    COLORREF m_crVisited;           // activated before
    COLORREF m_crActive;            // keyboard focus, or the left button down on it
    COLORREF m_crDisabled;

    // Makes the control exactly as large as its caption.
    void SizeToText();

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void PreSubclassWindow() override;

    void OnMouseMove(UINT flags, POINT point);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    void OnClicked();
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKillFocus(CWnd* newWnd);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);

    // The colour of the caption for the current state.
    COLORREF TextColour(bool focused) const;

    BOOL m_bHover = FALSE;    // the pointer rests on the button
    BOOL m_bTracking = FALSE; // leave and hover notices asked for this stay of the pointer
    BOOL m_bVisited = FALSE;
    BOOL m_bPressed = FALSE; // the left button went down on it and is not up yet
    std::unique_ptr<CFont> m_pUnderlineFont;
    CToolTipCtrl m_ToolTip;     // the button's own tooltip, when its owner creates one
    BOOL m_bKeyPending = FALSE; // Space or Enter went down and waits for its key-up

    // Shown over every link button; loaded once, never destroyed.
    static HCURSOR s_hLinkCursor;

private:
    void InvalidateAll();
    void ActivateOwnToolTip(BOOL activate);
    void MakeUnderlineFont();
};
