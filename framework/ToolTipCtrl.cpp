#include "framework/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    const HWND hWnd
        = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr, nullptr, nullptr);
    return hWnd && SubclassWindow(hWnd);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect, UINT_PTR idTool)
{
    // The size of the oldest tool record that carries everything used here:
    // every version of the control accepts it.
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    if (idTool == 0) {
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = ::GetParent(wnd->m_hWnd);
        tool.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    } else {
        tool.hwnd = wnd->m_hWnd;
        tool.uId = idTool;
        if (rect)
            tool.rect = *rect;
    }
    // The control copies the text; it never writes through this pointer.
    tool.lpszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
}

void CToolTipCtrl::SetDelayTime(DWORD duration, int time)
{
    SendMessage(TTM_SETDELAYTIME, duration, MAKELPARAM(time, 0));
}

int CToolTipCtrl::SetMaxTipWidth(int width)
{
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
}

void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(activate)); }

void CToolTipCtrl::RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
