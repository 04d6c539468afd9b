#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// The common controls' tooltip control. It sees the pointer only through the
// messages its owner relays to it (RelayEvent): tools are never subclassed.
class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    // A popup owned by `parent`, so that it goes when the parent goes.
    BOOL Create(CWnd* parent, DWORD style = 0);

    // With tool id 0, `wnd` itself is the tool (registered on its parent) and
    // `rect` is not used. Otherwise the tool is the rectangle `rect` of `wnd`'s
    // client area, known by `idTool`. The text is copied.
    BOOL AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect = nullptr, UINT_PTR idTool = 0);

    // `duration` is TTDT_AUTOPOP, TTDT_INITIAL or TTDT_RESHOW; `time` in milliseconds.
    void SetDelayTime(DWORD duration, int time);
    // Wider texts wrap; returns the width before.
    int SetMaxTipWidth(int width);
    void Activate(BOOL activate);
    void RelayEvent(MSG* msg);
    int GetToolCount() const;
};
