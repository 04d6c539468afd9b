#include "hotkeys/who/ReportWindow.h"

#include <cstring>

namespace who {

namespace {

constexpr char kClassName[] = "KeyvaneWhoReports";

HINSTANCE ProgramInstance() { return ::GetModuleHandleA(nullptr); }

} // namespace

ReportWindow::ReportWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ProgramInstance();
    windowClass.lpszClassName = kClassName;
    // Registered once per process; a second query finds it there.
    ::RegisterClassA(&windowClass);
    m_window = ::CreateWindowExA(
        0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ProgramInstance(), nullptr);
    if (!m_window)
        return;
    ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Owners at a lower integrity level may send their reports too. Where the
    // system has no such levels there is nothing to allow.
    ::ChangeWindowMessageFilterEx(m_window, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
}

ReportWindow::~ReportWindow()
{
    if (m_window)
        ::DestroyWindow(m_window);
}

LRESULT CALLBACK ReportWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return ::DefWindowProcA(window, message, wParam, lParam);
    auto* self = reinterpret_cast<ReportWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    // Anything on the desktop can send this window a WM_COPYDATA.
    if (!self || data.dwData != kReportTag || data.cbData != sizeof(Report))
        return FALSE;
    Report report;
    std::memcpy(&report, data.lpData, sizeof report);
    if (report.version != kProtocolVersion)
        return FALSE;
    report.executable[kPathChars - 1] = '\0';
    self->m_reports.push_back(report);
    return TRUE;
}

} // namespace who
