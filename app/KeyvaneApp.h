#pragma once

#include "framework/WinApp.h"

class CKeyvaneApp : public CWinApp
{
    DECLARE_MESSAGE_MAP()

public:
    CKeyvaneApp();

    BOOL InitInstance() override;
    BOOL ProcessMessageFilter(int code, LPMSG msg) override;

    HACCEL m_hAccel = nullptr;
};
