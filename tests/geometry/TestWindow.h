#pragma once

#include "framework/Wnd.h"

#include <ostream>

// A hidden window of a class of its own that counts the WM_WINDOWPOSCHANGED
// messages it gets, i.e. how often it was actually moved or sized.
class TestWindow
{
public:
    TestWindow(DWORD style, const RECT& rect, HWND parent = nullptr, int id = 0);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    CWnd* Wnd() const { return CWnd::FromHandle(m_hWnd); }
    RECT WindowRect() const;
    // The window rectangle in the parent's client coordinates.
    RECT RectInParent() const;
    void MoveTo(const RECT& rect);

    int PositionChanges() const;
    void ResetPositionChanges();

private:
    HWND m_hWnd;
};

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// GoogleTest prints rectangles in failure messages with this.
inline void PrintTo(const RECT& rect, std::ostream* out)
{
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}
