#pragma once

#include "framework/Dialog.h"

// The hidden picture: a borderless window that shows one bitmap. It is
// dragged by the picture and closed by a double click (or Esc).
class CEgg : public CDialog
{
    DECLARE_DYNAMIC(CEgg)
    DECLARE_MESSAGE_MAP()

public:
    explicit CEgg(CWnd* parent = nullptr);

protected:
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
};
