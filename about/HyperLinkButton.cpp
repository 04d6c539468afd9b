#include "about/HyperLinkButton.h"

#include "framework/DC.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "util/NumberText.h"
#include "util/RegistryValue.h"

#include <shellapi.h>

const UINT WM_LINK_CLICKED = ::RegisterWindowMessageA("WM_LINK_CLICKED");

HCURSOR CHyperLinkButton::s_hLinkCursor = nullptr;

namespace {

constexpr char kBrowserSettings[] = "HKCU\\Software\\Microsoft\\Internet Explorer\\Settings";
constexpr COLORREF kDefaultVisited = RGB(128, 0, 128);
constexpr COLORREF kDefaultActive = RGB(128, 0, 0);
constexpr int kDecimal = 10;
// Pointer hover time: the hover look shows as soon as the pointer rests.
constexpr DWORD kHoverMilliseconds = 1;
// ShellExecute results up to this one are errors.
constexpr INT_PTR kLastShellError = 32;

// A browser link colour, stored as the text "red,green,blue" of decimal (or
// 0x-marked) numbers, of which the low 8 bits count. Fewer than three fields,
// or no value, give `fallback`; fields after the third are ignored.
COLORREF ReadLinkColour(LPCSTR valueName, COLORREF fallback)
{
    CString text;
    if (ReadRegistryValue(kBrowserSettings, valueName, REG_STRING, &text) != kRegistryValueRead)
        return fallback;
    BYTE component[3] = {};
    for (int index = 0; index < 3; ++index) {
        CString field;
        if (!AfxExtractSubString(field, text, index, ','))
            return fallback;
        component[index] = static_cast<BYTE>(ParseNumberText(field, kDecimal) & 0xFF);
    }
    return RGB(component[0], component[1], component[2]);
}

// The program's own hand, under the system hand's id; null when the
// resources hold none, and then the pointer is the ordinary one.
HCURSOR LoadLinkCursor()
{
    const HINSTANCE resources = AfxGetResourceHandle();
    const LPCSTR id = MAKEINTRESOURCEA(IDC_LINK_CURSOR);
    return ::FindResourceA(resources, id, RT_GROUP_CURSOR) ? ::LoadCursorA(resources, id) : nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CHyperLinkButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_SETCURSOR()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CHyperLinkButton::CHyperLinkButton() : m_crActive(kDefaultActive), m_crDisabled(::GetSysColor(COLOR_GRAYTEXT))
{
    m_crLink = ReadLinkColour("Anchor Color", ::GetSysColor(COLOR_HIGHLIGHT));
    m_crVisited = ReadLinkColour("Anchor Color Visited", kDefaultVisited);
    m_crHover = ReadLinkColour("Anchor Color Hover", ::GetSysColor(COLOR_HOTLIGHT));
    if (!s_hLinkCursor)
        s_hLinkCursor = LoadLinkCursor();
}

CHyperLinkButton::~CHyperLinkButton() = default;

void CHyperLinkButton::PreSubclassWindow()
{
    ModifyStyle(BS_DEFPUSHBUTTON, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CHyperLinkButton::SizeToText()
{
    // Measured in the context's own font, as the owner lays links out.
    CClientDC dc(this);
    CString caption;
    GetWindowText(caption);
    const SIZE extent = dc.GetTextExtent(caption, caption.GetLength());
    SetWindowPos(nullptr, -1, -1, extent.cx, extent.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

COLORREF CHyperLinkButton::TextColour(bool focused) const
{
    if (!IsWindowEnabled())
        return m_crDisabled;
    if (focused || m_bPressed)
        return m_crActive;
    if (m_bHover)
        return m_crHover;
    return m_bVisited ? m_crVisited : m_crLink;
}

void CHyperLinkButton::MakeUnderlineFont()
{
    if (!m_pUnderlineFont)
        m_pUnderlineFont = std::make_unique<CFont>();
    // A control that was never given a font draws in the system font.
    CFontHandle controlFont(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    if (!controlFont)
        controlFont = CFontHandle(static_cast<HFONT>(::GetStockObject(SYSTEM_FONT)));
    LOGFONTA logFont{};
    if (!controlFont.GetLogFont(&logFont))
        return;
    logFont.lfUnderline = TRUE;
    m_pUnderlineFont->CreateFontIndirect(&logFont);
}

void CHyperLinkButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDC dc(item->hDC);
    RECT rect = item->rcItem;
    const bool focused = CWnd::FromHandle(::GetFocus()) == this;
    if (focused)
        dc.DrawFocusRect(&rect);
    if (!m_pUnderlineFont || !m_pUnderlineFont->m_hFont)
        MakeUnderlineFont();

    // Underlined exactly while enabled and hovered, whatever the colour.
    const bool underline = IsWindowEnabled() && m_bHover && m_pUnderlineFont->m_hFont;
    CFontHandle previousFont;
    if (underline)
        previousFont = dc.SelectObject(*m_pUnderlineFont);
    dc.SetTextColor(TextColour(focused));
    dc.SetBkMode(TRANSPARENT);
    CString caption;
    GetWindowText(caption);
    dc.DrawText(caption, &rect, m_nFormat);
    if (underline)
        dc.SelectObject(previousFont);
}

void CHyperLinkButton::InvalidateAll() { ::InvalidateRect(m_hWnd, nullptr, TRUE); }

void CHyperLinkButton::ActivateOwnToolTip(BOOL activate)
{
    if (m_ToolTip.m_hWnd && m_ToolTip.GetToolCount() > 0)
        m_ToolTip.Activate(activate);
}

void CHyperLinkButton::OnMouseMove(UINT, POINT)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, m_hWnd, kHoverMilliseconds};
        m_bTracking = ::_TrackMouseEvent(&track);
    }
    Default();
}

LRESULT CHyperLinkButton::OnMouseHover(WPARAM, LPARAM)
{
    m_bHover = TRUE;
    InvalidateAll();
    ActivateOwnToolTip(TRUE);
    return 0;
}

LRESULT CHyperLinkButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTracking = FALSE;
    m_bHover = FALSE;
    InvalidateAll();
    ActivateOwnToolTip(FALSE);
    return 0;
}

void CHyperLinkButton::OnLButtonDown(UINT, POINT)
{
    m_bPressed = TRUE;
    Default();
}

void CHyperLinkButton::OnLButtonUp(UINT, POINT)
{
    m_bPressed = FALSE;
    Default();
}

void CHyperLinkButton::OnKillFocus(CWnd*)
{
    Default();
    InvalidateAll();
}

BOOL CHyperLinkButton::OnSetCursor(CWnd*, UINT hitTest, UINT)
{
    if (hitTest == HTCLIENT && s_hLinkCursor) {
        ::SetCursor(s_hLinkCursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void CHyperLinkButton::OnClicked()
{
    if (!IsWindowEnabled())
        return;
    const CWaitCursor wait;
    CString target = m_strURL;
    if (target.IsEmpty())
        GetWindowText(target);
    CString file = m_strPrefix;
    file += target;
    // Shown normally: a browser or mail program started hidden would show nothing.
    const auto result
        = reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", file, nullptr, nullptr, SW_SHOWNORMAL));
    const HWND parent = ::GetParent(m_hWnd);
    if (result <= kLastShellError && parent)
        ::SendMessageA(parent, WM_LINK_CLICKED, static_cast<WPARAM>(GetDlgCtrlID()), 0);
    m_bVisited = TRUE;
    m_bHover = FALSE;
    InvalidateAll();
}

BOOL CHyperLinkButton::PreTranslateMessage(MSG* msg)
{
    const bool activationKey = msg->wParam == VK_SPACE || msg->wParam == VK_RETURN;
    if (msg->message == WM_KEYDOWN && activationKey) {
        // Taken here, before the dialog's keyboard handling: Enter on a link
        // opens the link rather than pressing the default button.
        m_bKeyPending = TRUE;
        return TRUE;
    }
    if (msg->message == WM_KEYUP && activationKey && m_bKeyPending) {
        m_bKeyPending = FALSE;
        OnClicked();
        return TRUE;
    }
    if (m_ToolTip.m_hWnd)
        m_ToolTip.RelayEvent(msg);
    m_bKeyPending = FALSE;
    return CButton::PreTranslateMessage(msg);
}
