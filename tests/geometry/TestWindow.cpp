#include "tests/geometry/TestWindow.h"

namespace {

constexpr const char* kClassName = "KeyvaneGeometryTestWindow";

LRESULT CALLBACK CountingWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGED)
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, ::GetWindowLongPtrA(hWnd, GWLP_USERDATA) + 1);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void RegisterClassOnce()
{
    static const ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = CountingWndProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassA(&windowClass);
    }();
    (void)atom;
}

} // namespace

TestWindow::TestWindow(DWORD style, const RECT& rect, HWND parent, int id)
{
    RegisterClassOnce();
    m_hWnd = ::CreateWindowExA(0, kClassName, "", style, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        ::GetModuleHandleA(nullptr), nullptr);
    ResetPositionChanges();
}

TestWindow::~TestWindow() { ::DestroyWindow(m_hWnd); }

RECT TestWindow::WindowRect() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT TestWindow::RectInParent() const
{
    RECT rect = WindowRect();
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void TestWindow::MoveTo(const RECT& rect)
{
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

int TestWindow::PositionChanges() const
{
    return static_cast<int>(::GetWindowLongPtrA(m_hWnd, GWLP_USERDATA));
}

void TestWindow::ResetPositionChanges() { ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0); }
