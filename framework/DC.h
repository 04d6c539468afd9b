#pragma once

#include "framework/Font.h"

#include <windows.h>

class CWnd;

// A device context the object does not own.
class CDC
{
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) { }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC;

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    int DrawText(LPCSTR text, LPRECT rect, UINT format) { return ::DrawTextA(m_hDC, text, -1, rect, format); }
    void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    // Returns the font selected before, which the context's owner still owns.
    CFontHandle SelectObject(HFONT font)
    {
        return CFontHandle(static_cast<HFONT>(::SelectObject(m_hDC, font)));
    }
    // The size of the text in the selected font; 0 × 0 when it cannot be measured.
    SIZE GetTextExtent(LPCSTR text, int length) const;
};

// BeginPaint/EndPaint for the lifetime of the object.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// GetDC/ReleaseDC of a window's client area for the lifetime of the object.
class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC();

private:
    HWND m_hWnd;
};
