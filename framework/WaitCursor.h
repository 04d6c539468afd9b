#pragma once

#include <windows.h>

// Shows the wait cursor while the object lives, then the cursor shown before.
class CWaitCursor
{
public:
    CWaitCursor() : m_hRestore(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) { }
    ~CWaitCursor() { ::SetCursor(m_hRestore); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hRestore;
};
