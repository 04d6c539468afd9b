#pragma once

#include "framework/Wnd.h"

// A static control.
class CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)

public:
    // Shows `icon` in an SS_ICON control, which takes the icon's size. The
    // control does not own the icon. Returns the icon shown before.
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
};
