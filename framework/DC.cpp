#include "framework/DC.h"

#include "framework/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, m_hDC); }

SIZE CDC::GetTextExtent(LPCSTR text, int length) const
{
    SIZE size{};
    if (!::GetTextExtentPoint32A(m_hDC, text, length, &size))
        size = SIZE{};
    return size;
}
