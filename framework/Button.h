#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)

public:
    // Paints an owner-drawn button; the parent's WM_DRAWITEM comes back here.
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
